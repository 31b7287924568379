// The legality filter: the order it keeps, mate and stalemate, what it leaves behind. Which moves it
// removes (castling through or out of check, pins, en passant along the rank) the published perft
// counts check, position by position.
#include <cstring>

#include "tests/position_fixture.h"

namespace {

class LegalityTest : public PositionTest {
 protected:
  PositionNode* filtered(PositionNode* node) {
    EXPECT_EQ(FilterLegalMoves(node, &core, &board), 0);
    return node;
  }
};

TEST_F(LegalityTest, InitialPositionKeepsAllMovesInOrder) {
  PositionNode* root = initial_root();
  MoveEntry before[20];
  memcpy(before, root->Zuege(), sizeof before);
  filtered(root);
  ASSERT_EQ(root->Anz_moegl_zuege, 20);
  EXPECT_EQ(0, memcmp(before, root->Zuege(), sizeof before));
}

TEST_F(LegalityTest, MateAndStalemateLeaveAnEmptyList) {
  EXPECT_EQ(filtered(base("7k/6Q1/6K1/8/8/8/8/8 b - - 0 1"))->Anz_moegl_zuege, 0);
  PositionNode* stalemate = base("7k/8/6QK/8/8/8/8/8 b - - 0 1");
  EXPECT_EQ(IsInCheck(stalemate, &core, &board), 0);
  EXPECT_EQ(filtered(stalemate)->Anz_moegl_zuege, 0);
}

TEST_F(LegalityTest, RemovalFillsTheSlotFromTheEnd) {
  PositionNode* root = initial_root();
  root->Anz_moegl_zuege = 8;
  for (int i = 0; i < 8; ++i) root->Zuege()[i].Von = static_cast<uint8_t>(i);
  RemoveMove(root, 2);
  RemoveMove(root, 5);
  const uint8_t expected[] = {0, 1, 7, 3, 4, 6};
  ASSERT_EQ(root->Anz_moegl_zuege, 6);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(root->Zuege()[i].Von, expected[i]);
}

TEST_F(LegalityTest, BoardAndTreeAreAsBeforeExceptTheCheckProbe) {
  PositionNode* node = base("r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1");
  board.Whkonig_pos = 4;
  board.Blkonig_pos = 60;
  const Board before = board;
  uint8_t* free_before = core.Pool_free;
  filtered(node);
  EXPECT_EQ(node->Anz_moegl_zuege, 48);
  EXPECT_TRUE(same_board(before, board));
  for (int i = 0; i < node->Anz_moegl_zuege; ++i) EXPECT_EQ(node->Zuege()[i].Folge_zeiger, 0u);
  EXPECT_GT(core.Pool_free, free_before);
  EXPECT_LE(core.Pool_free - free_before, 20 + 8 * 60);
}

}  // namespace
