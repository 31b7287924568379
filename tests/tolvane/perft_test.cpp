// Leaf counts of the engine's move generator against the published figures.
#include <gtest/gtest.h>

#include "board/movegen.h"
#include "tests/perft_positions.h"

namespace tolvane {
namespace {

class PerftTest : public ::testing::TestWithParam<PerftCase> {};

TEST_P(PerftTest, MatchesPublishedCounts) {
  const PerftCase& c = GetParam();
  auto pos = Position::from_fen(c.fen);
  ASSERT_TRUE(pos);
  const std::string before = pos->fen();
  for (std::size_t d = 0; d < c.leaves.size(); ++d)
    EXPECT_EQ(perft(*pos, int(d + 1)), c.leaves[d]) << "depth " << d + 1;
  // Make and unmake leave the position exactly as it was.
  EXPECT_EQ(pos->fen(), before);
}

INSTANTIATE_TEST_SUITE_P(StandardPositions, PerftTest, ::testing::ValuesIn(kPerftPositions), [](const auto& info) { return std::string(info.param.name); });

// The mirrored position must count the same: catches colour asymmetries.
TEST(PerftMirror, BlackToMoveMirrorsWhite) {
  auto white = Position::from_fen("r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1");
  auto black = Position::from_fen("r2q1rk1/pP1p2pp/Q4n2/bbp1p3/Np6/1B3NBn/pPPP1PPP/R3K2R b KQ - 0 1");
  ASSERT_TRUE(white && black);
  EXPECT_EQ(perft(*white, 3), perft(*black, 3));
}

}  // namespace
}  // namespace tolvane
