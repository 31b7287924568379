// The generator's order, its en passant and its room checks; which moves it lists the published
// perft counts check.

#include "tests/position_fixture.h"

namespace {

using MoveGenerationTest = PositionTest;

TEST_F(MoveGenerationTest, InitialPositionInSquareOrder) {
  PositionNode* node = initial_root();
  const std::vector<std::string> expected = {"b1a3", "b1c3", "g1f3", "g1h3", "a2a3", "a2a4", "b2b3",
                                             "b2b4", "c2c3", "c2c4", "d2d3", "d2d4", "e2e3", "e2e4",
                                             "f2f3", "f2f4", "g2g3", "g2g4", "h2h3", "h2h4"};
  EXPECT_EQ(moves_of(node), expected);
}

TEST_F(MoveGenerationTest, PromotionsQueenRookBishopKnightThenCaptures) {
  PositionNode* node = base("r3k3/1P6/8/8/8/8/8/4K3 w q - 0 1");
  const Piece order[] = {QUEEN, ROOK, BISHOP, KNIGHT};
  int first = find(node, "b7b8");
  ASSERT_GE(first, 0);
  for (int k = 0; k < 8; ++k) {
    const MoveEntry& e = node->Zuege()[first + k];
    EXPECT_EQ(move_text(node, first + k), k < 4 ? "b7b8" : "b7a8");
    EXPECT_EQ(e.Fig, order[k % 4]);
    EXPECT_TRUE(e.Status & PROMOTION_MARK);
    // Taking the rook on its corner takes away Black's queen-side right.
    EXPECT_EQ(e.Status & BLACK_QUEEN_SIDE, k < 4 ? BLACK_QUEEN_SIDE : 0);
  }
}

TEST_F(MoveGenerationTest, EnPassantComesFirstAndOnlyAfterAPawnDoubleStep) {
  PositionNode* node = base("4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1");
  EXPECT_EQ(move_text(node, find(node, "e5d6")), "e5d6");
  EXPECT_LT(find(node, "e5d6"), find(node, "e5e6"));

  // The same squares reached by a knight or a rook give no en passant.
  for (const char* fen : {"4k3/8/8/3nP3/8/8/8/4K3 w - - 0 1", "4k3/8/8/3rP3/8/8/8/4K3 w - - 0 1"}) {
    PositionNode* other = base(fen);
    other->Letzter_zug_von = square("d7");
    other->Letzter_zug_nach = square("d5");
    ASSERT_NE(GenerateMoves(nullptr, other, reinterpret_cast<uint8_t*>(other) + 2000), nullptr);
    EXPECT_EQ(find(other, "e5d6"), -1) << fen;
  }
}

TEST_F(MoveGenerationTest, ListThatDoesNotFitCountsOnlyWhatFitted) {
  SetInitialPosition();
  PositionNode* node = reinterpret_cast<PositionNode*>(core.Pool_free);
  node->Welcher_zug = 1;
  node->Letzter_zug_von = node->Letzter_zug_nach = 0;
  node->Letzter_status = ALL_CASTLING;
  uint8_t* limit = core.Pool_free + 20 + 5 * 8 + 12;  // room for five entries and the margin
  EXPECT_EQ(GenerateMoves(nullptr, node, limit), nullptr);
  EXPECT_EQ(node->Anz_moegl_zuege, 5);
  EXPECT_NE(GenerateMoves(nullptr, node, limit + 200), nullptr);
  EXPECT_EQ(node->Anz_moegl_zuege, 20);
}

}  // namespace
