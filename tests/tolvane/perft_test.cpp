// Leaf counts of the engine's move generator against the published figures
// for the six standard test positions.
#include <gtest/gtest.h>

#include "board/movegen.h"

namespace tolvane {
namespace {

struct PerftCase {
  const char* name;
  const char* fen;
  std::vector<std::uint64_t> counts;  // depth 1, 2, ...
};

class PerftTest : public ::testing::TestWithParam<PerftCase> {};

TEST_P(PerftTest, MatchesPublishedCounts) {
  const PerftCase& c = GetParam();
  auto pos = Position::from_fen(c.fen);
  ASSERT_TRUE(pos);
  const std::string before = pos->fen();
  for (std::size_t d = 0; d < c.counts.size(); ++d)
    EXPECT_EQ(perft(*pos, int(d + 1)), c.counts[d]) << c.name << " depth " << d + 1;
  // Make and unmake leave the position exactly as it was.
  EXPECT_EQ(pos->fen(), before);
}

INSTANTIATE_TEST_SUITE_P(
    StandardPositions, PerftTest,
    ::testing::Values(
        PerftCase{"initial", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
                  {20, 400, 8902, 197281, 4865609}},
        PerftCase{"kiwipete", "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
                  {48, 2039, 97862, 4085603}},
        PerftCase{"endgame", "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1", {14, 191, 2812, 43238, 674624}},
        PerftCase{"promotions", "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1",
                  {6, 264, 9467, 422333}},
        PerftCase{"checks", "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8",
                  {44, 1486, 62379, 2103487}},
        PerftCase{"middlegame",
                  "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10",
                  {46, 2079, 89890, 3894594}}),
    [](const auto& info) { return std::string(info.param.name); });

// The mirrored position must count the same: catches colour asymmetries.
TEST(PerftMirror, BlackToMoveMirrorsWhite) {
  auto white = Position::from_fen("r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1");
  auto black = Position::from_fen("r2q1rk1/pP1p2pp/Q4n2/bbp1p3/Np6/1B3NBn/pPPP1PPP/R3K2R b KQ - 0 1");
  ASSERT_TRUE(white && black);
  EXPECT_EQ(perft(*white, 3), perft(*black, 3));
}

}  // namespace
}  // namespace tolvane
