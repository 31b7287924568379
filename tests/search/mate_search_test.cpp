// The mate search: mates found at their depth with the mating first move, nothing else changed.
#include <tuple>

#include "rules/rules.h"
#include "search/mate_search.h"
#include "tests/position_fixture.h"

namespace {

class MateSearchTest : public PositionTest {
 protected:
  void TearDown() override { mate_search_watch = nullptr; }

  // Runs the deepening on node; the depth at which the mate was found, or 0.
  int mate_found_at(PositionNode* node) {
    return search_mate_by_deepening(node, &core, &state) == 1 ? mate_depth - 2 : 0;
  }

  uint8_t search(PositionNode* node, uint8_t defender, int16_t depth) {
    return such_matt_abs(node, core.Pool_free, core.Pool_end, &state, defender, depth);
  }
};

TEST_F(MateSearchTest, MatesSetUpOnTheBoardAreFoundAtTheirDepthWithTheMatingMove) {
  // The position, the depth of its mate and the mating line's first move.
  const std::tuple<const char*, int, const char*> cases[] = {
      {"6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1", 1, "a1a8"},              // back rank
      {"7k/8/8/5K2/8/8/8/1R6 w - - 0 1", 3, "f5g6"},                 // king first, then the rook
      {"r5rk/5p1p/5R2/4B3/8/8/7P/7K w - - 0 1", 5, "f6a6"},          // quiet first move
      {"8/8/8/8/8/5k2/6q1/4K3 b - - 0 1", 1, "g2e2"},                // Black mates as well
  };
  for (const auto& [fen, depth, first_move] : cases) {
    SetUp();
    PositionNode* node = base(fen);
    // The search leaves board, pool and move list as they were.
    const Board before = board;
    uint8_t* free_before = core.Pool_free;
    const std::vector<std::string> list = moves_of(node);
    EXPECT_EQ(mate_found_at(node), depth) << fen;
    EXPECT_TRUE(same_board(before, board));
    EXPECT_EQ(core.Pool_free, free_before);
    EXPECT_EQ(moves_of(node), list);
    EXPECT_EQ(move_text(node, node->Bester_zug), first_move) << fen;
    // No mate is found two plies short of it.
    if (depth > 1) {
      EXPECT_EQ(search(node, 0, static_cast<int16_t>(depth - 2)), 0) << fen;
    }
  }
}

TEST_F(MateSearchTest, MatesReachedByPlayedMovesAreFound) {
  // The start, the moves played, the depth of the mate then and its first move.
  const std::tuple<const char*, std::vector<const char*>, int, const char*> games[] = {
      {kStart, {"f2f3", "e7e5", "g2g4"}, 1, "d8h4"},  // fool's mate
      // Legal's trap: after 5...Bxd1 White mates in two, beginning with the bishop's check.
      {kStart, {"e2e4", "e7e5", "g1f3", "d7d6", "f1c4", "c8g4", "b1c3", "g7g6", "f3e5", "g4d1"}, 3, "c4f7"},
      // The quiet mate in three, reached by two moves of each side's king and rook.
      {"rr5k/5p1p/5R2/4B3/8/8/7P/6K1 w - - 0 1", {"g1h1", "b8g8"}, 5, "f6a6"},
  };
  for (const auto& [fen, moves, depth, first_move] : games) {
    SetUp();
    PositionNode* node = legal_base(fen);
    for (const char* move : moves) node = play(node, move);
    EXPECT_EQ(mate_found_at(node), depth) << first_move;
    EXPECT_EQ(move_text(node, node->Bester_zug), first_move);
  }
}

TEST_F(MateSearchTest, PositionsWithoutLegalMovesAreMateOnlyInCheck) {
  // Mated: the king's pseudo-legal steps to f8 and h8 are all attacked.
  PositionNode* mated = base("R5k1/5ppp/8/8/8/8/8/6K1 b - - 0 1");
  ASSERT_GT(mated->Anz_moegl_zuege, 0);
  EXPECT_EQ(search(mated, 1, 0), 1);
  EXPECT_EQ(search(mated, 0, 5), 0);  // the attacker itself is mated: nothing shown

  // Stalemate: no visit below the root, whatever the depth.
  SetUp();
  PositionNode* stalemate = base("k7/2Q5/1K6/8/8/8/8/8 b - - 0 1");
  stalemate->Bester_zug = -7;
  const uint64_t nodes_before = mate_search_nodes;
  EXPECT_EQ(search(stalemate, 1, 9), 0);
  EXPECT_EQ(search(stalemate, 0, 9), 0);
  EXPECT_EQ(mate_search_nodes - nodes_before, 2u);
  EXPECT_EQ(stalemate->Bester_zug, -7);
}

TEST_F(MateSearchTest, NoMateIsClaimedWithoutOne) {
  // A mate by a move that leaves the own king attacked does not count, nor a check that can be met.
  for (const char* fen : {"6k1/5ppp/8/b7/8/8/3R4/4K3 w - - 0 1",  // Rd8 would mate, but the rook is pinned
                          "6k1/5pp1/7p/8/8/8/8/R5K1 w - - 0 1",   // Ra8+ Kh7
                          "4k3/8/8/8/8/8/8/4K3 w - - 0 1"}) {
    SetUp();
    EXPECT_EQ(search(base(fen), 0, 3), 0) << fen;
  }
}

int watched_nodes = 0, abort_at = 0;
void abort_after_some_nodes(GameState* state) {
  if (++watched_nodes == abort_at) state->abort_flag = 1;
}

TEST_F(MateSearchTest, AbortFlagStopsEveryLevelAndTheDeepening) {
  PositionNode* node = base("r5rk/5p1p/5R2/4B3/8/8/7P/7K w - - 0 1");
  const Board before = board;
  mate_search_watch = abort_after_some_nodes;
  // Stops within each of the three iterations, the last one well into the mating line.
  for (int limit : {5, 200, 5000}) {
    watched_nodes = 0;
    abort_at = limit;
    EXPECT_EQ(search_mate_by_deepening(node, &core, &state), 0) << limit;
    EXPECT_EQ(watched_nodes, limit) << "no position is entered after the flag is set";
    EXPECT_LE(mate_depth, 7);
    EXPECT_NE(state.abort_flag, 0);
    EXPECT_TRUE(same_board(before, board));
  }
}

TEST_F(MateSearchTest, FullPoolShowsNoMate) {
  PositionNode* node = base("6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1");
  const Board before = board;
  // Room for a header but not for a child's move list: the mating move cannot be searched.
  EXPECT_EQ(such_matt_abs(node, core.Pool_free, core.Pool_free + 40, &state, 0, 1), 0);
  EXPECT_TRUE(same_board(before, board));
  EXPECT_EQ(such_matt_abs(nullptr, core.Pool_free, core.Pool_end, &state, 0, 1), 0);
}

}  // namespace
