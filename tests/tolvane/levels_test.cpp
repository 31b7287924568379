// What every level must do however weak it plays: mate in one, keep its
// queen (levels 3 and 4), and finish off a bare king with a queen or rook.
#include <gtest/gtest.h>

#include "board/movegen.h"
#include "protocol/levels.h"
#include "search/search.h"

namespace tolvane {
namespace {

Move level_move(int level, const Position& pos, std::uint64_t seed, Searcher& searcher) {
  SearchControl control;
  SearchLimits limits;
  apply_level(level_by_number(level), pos, limits, seed);
  limits.min_time_ms = 0;  // the pause is for people, not for tests
  if (level == 4) limits.nodes = 200000;
  return searcher.think(pos, limits, control).best;
}

bool mates(Position pos, Move m) {
  pos.make(m);
  return pos.in_check() && legal_moves(pos).empty();
}

// The opponent can take the queen and come out ahead.
bool queen_hangs(Position pos, Move m) {
  pos.make(m);
  for (Move reply : legal_moves(pos))
    if (type_of(pos.piece_on(reply.to())) == Queen && pos.piece_on(reply.to()) != NoPiece && pos.see(reply) > 0)
      return true;
  return false;
}

// Plays every position at levels first..last under several seeds; check must hold of each move.
template <typename Check>
void expect_at_levels(std::initializer_list<const char*> fens, int first, int last, int seeds,
                      std::uint64_t seed_step, const char* what, Check check) {
  for (const char* fen : fens) {
    auto parsed = Position::from_fen(fen);
    ASSERT_TRUE(parsed) << fen;
    const Position pos = *parsed;
    for (int level = first; level <= last; ++level)
      for (int seed = 1; seed <= seeds; ++seed) {
        Searcher searcher(4);
        Move m = level_move(level, pos, seed * seed_step, searcher);
        EXPECT_TRUE(check(pos, m)) << what << ": " << fen << " level " << level << " seed " << seed
                                   << " played " << move_to_text(m);
      }
  }
}

TEST(Levels, EveryLevelMatesInOne) {
  expect_at_levels({"6k1/5ppp/8/8/8/8/5PPP/R5K1 w - - 0 1",                               // back rank
                    "r1bqkb1r/pppp1ppp/2n2n2/4p2Q/2B1P3/8/PPPP1PPP/RNB1K1NR w KQkq - 4 4",  // f7
                    "6rk/6pp/8/6N1/8/8/8/6K1 w - - 0 1",                                  // smothered
                    "3r2k1/5ppp/8/8/8/8/1q3PPP/2R3K1 b - - 0 1"},
                   1, 4, 8, 7919, "mate in one missed", mates);
}

TEST(Levels, ClubPlayerAndMasterKeepTheirQueen) {
  expect_at_levels({"rnb1kbnr/pppp1ppp/8/4p3/3Q4/8/PPP1PPPP/RNB1KBNR w KQkq - 0 3",      // attacked by a pawn
                    "r1b1kbnr/pppp1ppp/2n5/4p1q1/4P3/3P1N2/PPP2PPP/RNBQKB1R b KQkq - 1 4",  // by a knight
                    "4k3/8/8/3q4/8/2B5/8/4K2R b K - 0 1"},                                  // by a bishop
                   3, 4, 4, 104729, "queen left hanging",
                   [](const Position& pos, Move m) { return !queen_hangs(pos, m); });
}

TEST(Levels, EveryLevelMatesABareKing) {
  // The level plays White against a careful defender.
  for (const char* fen : {"8/8/8/3k4/8/8/8/Q3K3 w - - 0 1", "8/8/8/4k3/8/8/8/R3K3 w - - 0 1"})
    for (int level = 1; level <= 4; ++level) {
      auto parsed = Position::from_fen(fen);
      ASSERT_TRUE(parsed) << fen;
      Position pos = *parsed;
      Searcher attacker(4), defender(4);
      bool mated = false;
      for (int move = 0; move < 50 && !mated; ++move) {
        Move m = level_move(level, pos, 1000 + move, attacker);
        ASSERT_FALSE(m.is_none()) << pos.fen();
        mated = mates(pos, m);
        pos.make(m);
        if (mated) break;
        MoveList replies = legal_moves(pos);
        ASSERT_FALSE(replies.empty()) << "stalemate at level " << level << ": " << pos.fen();
        SearchControl control;
        SearchLimits limits;
        limits.depth = 4;
        pos.make(defender.think(pos, limits, control).best);
      }
      EXPECT_TRUE(mated) << fen << " level " << level << " reached " << pos.fen();
    }
}

TEST(Levels, TakeAHumanMomentButNeverLong) {
  Position quiet = Position::start();
  Position sharp = *Position::from_fen("rnbqkb1r/pppppppp/8/3n4/4P3/8/PPPP1PPP/RNBQKBNR w KQkq - 1 3");
  for (int level = 1; level <= 3; ++level)
    for (std::uint64_t seed = 1; seed <= 50; ++seed) {
      SearchLimits a, b;
      apply_level(level_by_number(level), quiet, a, seed * 0x9E3779B97F4A7C15ULL);
      apply_level(level_by_number(level), sharp, b, seed * 0x9E3779B97F4A7C15ULL);
      EXPECT_GE(a.min_time_ms, 300);
      EXPECT_LE(b.min_time_ms, LongestPauseMs);
      EXPECT_GT(b.min_time_ms, a.min_time_ms);  // a capture to weigh takes longer
    }
  SearchLimits master;
  apply_level(level_by_number(4), quiet, master, 1);
  EXPECT_EQ(master.min_time_ms, 0);
}

}  // namespace
}  // namespace tolvane
