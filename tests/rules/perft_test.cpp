// The legal move tree of the rules core against the published leaf counts, depth by depth.
#include <cstring>
#include <string>
#include <vector>

#include "tests/position_fixture.h"
#include "tools/perft/perft.h"

namespace {

struct PerftCase {
  const char* name;
  const char* fen;
  std::vector<uint64_t> leaves;  // depth 1, 2, ...
};

class PerftTest : public PositionTest, public ::testing::WithParamInterface<PerftCase> {};

TEST_P(PerftTest, MatchesPublishedCounts) {
  const PerftCase& c = GetParam();
  PositionNode* node = base(c.fen);
  const Board before = board;
  uint8_t* free_before = core.Pool_free;
  for (size_t depth = 1; depth <= c.leaves.size(); ++depth) {
    EXPECT_EQ(perft(node, &core, &board, static_cast<int>(depth)), c.leaves[depth - 1]) << "depth " << depth;
    EXPECT_TRUE(same_board(before, board)) << "board restored after depth " << depth;
    // Only the check probe of each filtered root stays behind.
    EXPECT_LE(core.Pool_free - free_before, static_cast<long>(depth * (20 + 8 * 80)));
  }
}

INSTANTIATE_TEST_SUITE_P(
    perft, PerftTest,
    ::testing::Values(
        PerftCase{"Initial", kStart, {20, 400, 8902, 197281, 4865609}},
        PerftCase{"Kiwipete", "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
                  {48, 2039, 97862, 4085603}},
        PerftCase{"RookEndgame", "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1", {14, 191, 2812, 43238, 674624}},
        PerftCase{"Promotions", "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1",
                  {6, 264, 9467, 422333}},
        PerftCase{"Middlegame", "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8",
                  {44, 1486, 62379, 2103487}},
        PerftCase{"Symmetric", "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10",
                  {46, 2079, 89890, 3894594}},
        // En passant that would expose the king along the rank, and one that takes the checking pawn.
        PerftCase{"EnPassantPinnedOnRank", "8/8/8/K1pP3r/8/8/8/7k w - c6 0 1", {5}},
        PerftCase{"EnPassantRemovesChecker", "8/8/8/2k5/3Pp3/8/8/4K3 b - d3 0 1", {9}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
