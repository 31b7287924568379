// The legal move tree of the rules core against the published leaf counts.
#include "tests/rules/rules_fixture.h"
#include "tools/perft/perft.h"

#include <string>

namespace {

struct PerftCase {
  const char* name;
  const char* fen;
  int depth;
  uint64_t leaves;
};

class PerftTest : public RulesTest, public ::testing::WithParamInterface<PerftCase> {};

TEST_P(PerftTest, MatchesPublishedCount) {
  const PerftCase& c = GetParam();
  PositionNode* node = base(c.fen);
  const Board before = board;
  uint8_t* free_before = cursor.Pool_free;
  EXPECT_EQ(perft(node, &cursor, &board, c.depth), c.leaves);
  EXPECT_EQ(0, memcmp(&before, &board, sizeof board)) << "board restored";
  EXPECT_LE(cursor.Pool_free - free_before, 1000) << "pool given back except the check probe";
}

INSTANTIATE_TEST_SUITE_P(
    StandardPositions, PerftTest,
    ::testing::Values(
        PerftCase{"Initial", kStart, 4, 197281},
        PerftCase{"Kiwipete", "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", 3, 97862},
        PerftCase{"RookEndgame", "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1", 4, 43238},
        PerftCase{"Promotions", "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1", 3, 9467},
        PerftCase{"Middlegame", "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8", 3, 62379},
        PerftCase{"Symmetric", "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10", 3, 89890},
        // En passant that would expose the king along the rank, and one that gives check.
        PerftCase{"EnPassantPinnedOnRank", "8/8/8/K1pP3r/8/8/8/7k w - c6 0 1", 1, 5},
        PerftCase{"EnPassantRemovesChecker", "8/8/8/2k5/3Pp3/8/8/4K3 b - d3 0 1", 1, 9}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
