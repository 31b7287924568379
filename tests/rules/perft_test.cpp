// The legal move tree of the rules core against the published leaf counts, depth by depth. The
// counts guard every move rule (castling through, onto or out of check, pins, en passant,
// promotions) and making and unmaking each move, after which the board must be as before.
#include "tests/perft_positions.h"
#include "tests/position_fixture.h"
#include "tools/perft/perft.h"

namespace {

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

INSTANTIATE_TEST_SUITE_P(perft, PerftTest, ::testing::ValuesIn(kPerftPositions), [](const auto& info) { return std::string(info.param.name); });
// En passant that would expose the king along the rank, and one that takes the checking pawn.
INSTANTIATE_TEST_SUITE_P(enpassant, PerftTest,
                         ::testing::Values(PerftCase{"PinnedOnRank", "8/8/8/K1pP3r/8/8/8/7k w - c6 0 1", {5}},
                                           PerftCase{"RemovesChecker", "8/8/8/2k5/3Pp3/8/8/4K3 b - d3 0 1", {9}}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
