// What the search must find, and the draws it must know.
#include <gtest/gtest.h>

#include "board/movegen.h"
#include "protocol/levels.h"
#include "search/search.h"

namespace tolvane {
namespace {

SearchResult search(const char* fen, int depth, Weakness weakness = {}, int threads = 1) {
  Searcher searcher(8);
  SearchControl control;
  SearchLimits limits;
  limits.depth = depth;
  limits.weakness = weakness;
  limits.threads = threads;
  auto pos = Position::from_fen(fen);
  EXPECT_TRUE(pos) << fen;
  return searcher.think(*pos, limits, control);
}

// Helper threads share the table but only the first one's line is played:
// more threads must find the same.
TEST(Search, FindsMatesAloneAndWithHelperThreads) {
  for (int threads : {1, 3}) {
    SCOPED_TRACE(threads);
    SearchResult r = search("6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1", 4, {}, threads);
    EXPECT_EQ(move_to_text(r.best), "a1a8");
    EXPECT_EQ(r.score, MateScore - 1);
    // Mate in two with a quiet first move.
    r = search("k7/8/2K5/8/8/8/8/7R w - - 0 1", 6, {}, threads);
    EXPECT_EQ(mate_distance_plies(r.score), 3);
    EXPECT_TRUE(move_to_text(r.best) == "c6b6" || move_to_text(r.best) == "c6c7") << move_to_text(r.best);
    // The same for Black.
    r = search("6k1/8/8/8/8/8/r4PPP/7K b - - 0 1", 4, {}, threads);
    EXPECT_EQ(move_to_text(r.best), "a2a1");
    EXPECT_EQ(r.score, MateScore - 1);
  }
}

TEST(Search, WinsMaterialAndAvoidsLosingItAloneAndWithHelperThreads) {
  for (int threads : {1, 3}) {
    SCOPED_TRACE(threads);
    // A free queen.
    EXPECT_EQ(move_to_text(search("4k3/8/8/3q4/8/8/3R4/4K3 w - - 0 1", 5, {}, threads).best), "d2d5");
    // The knight is attacked by a pawn and must move away.
    SearchResult r = search("4k3/8/8/3p4/4N3/8/8/4K3 w - - 0 1", 6, {}, threads);
    EXPECT_EQ(Position::from_fen("4k3/8/8/3p4/4N3/8/8/4K3 w - - 0 1")->piece_on(r.best.from()),
              make_piece(White, Knight));
  }
}

TEST(Search, HelperThreadsStopWithTheSearchAndTheirNodesCount) {
  Searcher searcher(8);
  searcher.set_threads(3);
  SearchControl control;
  SearchLimits limits;
  limits.nodes = 200000;
  const SearchResult r = searcher.think(*Position::from_fen("r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 2 3"),
                                        limits, control);
  EXPECT_FALSE(r.best.is_none());
  // The cap counts every thread's nodes. Only the main thread looks at it, every few thousand
  // nodes, and the helpers search on until they see it stop: how far past the cap they get depends
  // on how the threads are scheduled, so the bound only shows that they stopped with it.
  EXPECT_GE(r.nodes, 200000u);
  EXPECT_LT(r.nodes, 2 * 200000u);
}

// A node cap stops the search inside an iteration; the move it keeps from
// that iteration comes with that move's score, not with the aborted rest.
TEST(Search, AStoppedSearchScoresTheMoveItKeeps) {
  const Position pos = *Position::from_fen("r1b1kbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 2 3");
  Searcher searcher(8);
  SearchControl control;
  for (std::uint64_t nodes = 2000; nodes <= 40000; nodes += 2000) {
    SCOPED_TRACE(nodes);
    SearchLimits limits;
    limits.nodes = nodes;
    EXPECT_GT(searcher.think(pos, limits, control).score, 600);  // a queen up
  }
}

TEST(Search, KnowsStalemateAndRepetitionAreDraws) {
  // Queen up, but capturing the last pawn stalemates; the engine keeps winning chances.
  SearchResult r = search("7k/5Q2/7P/8/8/8/8/K7 w - - 0 1", 5);
  EXPECT_GT(r.score, 300);
  // Down a queen: perpetual check is the best there is.
  r = search("6k1/6p1/8/6Q1/8/8/q5PP/7K w - - 0 1", 8);
  EXPECT_GT(r.score, -200);
  // No legal move at all: no move.
  EXPECT_TRUE(search("7k/5Q2/6K1/8/8/8/8/8 b - - 0 1", 3).best.is_none());
}

TEST(Search, RepetitionOfTheGameHistoryCounts) {
  // A queen down, White has nothing but a repetition of the game's earlier positions.
  Position pos = *Position::from_fen("7k/8/8/8/8/8/q7/6K1 w - - 0 1");
  Searcher searcher(8);
  SearchControl control;
  SearchLimits limits;
  limits.depth = 6;
  EXPECT_LT(searcher.think(pos, limits, control).score, -500);
  for (const char* m : {"g1h1", "h8g8", "h1g1", "g8h8"}) pos.make(*parse_move(pos, m));
  searcher.clear();
  SearchResult r = searcher.think(pos, limits, control);
  EXPECT_EQ(move_to_text(r.best), "g1h1");
  EXPECT_EQ(r.score, 0);
}

// What a search learns carries over to the next move of the game, but a new
// game starts from nothing: after clear() a search goes exactly as a fresh one.
TEST(Search, ANewGameForgetsWhatTheLastGameLearnt) {
  const Position first = *Position::from_fen("r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 2 3");
  const Position next = *Position::from_fen("r1bq1rk1/pp2bppp/2n1pn2/3p4/2PP4/2N1PN2/PP3PPP/R2QKB1R w KQ - 0 8");
  SearchControl control;
  SearchLimits limits;
  limits.depth = 8;
  Searcher fresh(8);
  const SearchResult expected = fresh.think(next, limits, control);
  Searcher used(8);
  used.think(first, limits, control);
  EXPECT_NE(used.think(next, limits, control).nodes, expected.nodes) << "nothing carried over";
  used.clear();
  used.think(first, limits, control);
  used.clear();
  const SearchResult r = used.think(next, limits, control);
  EXPECT_EQ(r.nodes, expected.nodes);
  EXPECT_EQ(r.best, expected.best);
}

TEST(Levels, TheFourPairsNameDistinctLevels) {
  for (const auto& [strength, increment, number] :
       {std::tuple{"0", "1", 1}, {"3", "1", 2}, {"4", "1", 3}, {"4", "5", 4}})
    EXPECT_EQ(level_from_arguments(strength, increment)->number, number) << strength << " " << increment;
  EXPECT_FALSE(level_from_arguments("5", "5"));
}

TEST(Levels, SlipsStayWithinTheMargin) {
  // A weak level never gives away the free queen: its alternatives are all far worse.
  for (std::uint64_t seed = 1; seed <= 20; ++seed) {
    SearchResult r = search("4k3/8/8/3q4/8/8/3R4/4K3 w - - 0 1", 3, Weakness{100, 120, seed});
    EXPECT_EQ(move_to_text(r.best), "d2d5") << "seed " << seed;
  }
}

}  // namespace
}  // namespace tolvane
