// Nodes in the pool: base nodes, children linked and reused, Fast_mode, take-back, material, room.
#include "tests/position_fixture.h"

namespace {

using PositionTreeTest = PositionTest;

TEST_F(PositionTreeTest, BaseNodeOfTheInitialPosition) {
  PositionNode* node = initial_root();
  ASSERT_EQ(reinterpret_cast<uint8_t*>(node), core.pool.storage);
  EXPECT_EQ(std::tuple(int{node->Welcher_zug}, int{node->Letzter_status}, int{node->Anz_moegl_zuege}),
            std::tuple(1, int{ALL_CASTLING}, 20));
  EXPECT_EQ(core.Pool_free, core.pool.storage + 180);  // a 20-byte header and 20 entries of 8 bytes
}

TEST_F(PositionTreeTest, ChildIsLinkedAndFoundAgainAfterTakeBack) {
  PositionNode* root = initial_root();
  const int16_t e4 = static_cast<int16_t>(find(root, "e2e4"));
  PositionNode* child = PlayMove(root, &core, &board, e4);
  EXPECT_EQ(std::tuple(child->Welcher_zug, int{child->Letzter_zug_von}, int{child->Letzter_zug_nach},
                       int{child->Letzter_zug_wird}, int{child->Anz_moegl_zuege}),
            std::tuple(-1, 12, 28, 0, 20));
  EXPECT_EQ(node_at(child->Letzt_zug_zeiger), root);
  EXPECT_EQ(node_at(root->Zuege()[e4].Folge_zeiger), child);

  EXPECT_EQ(TakeBack(child, &board), root);
  uint8_t* free_before = core.Pool_free;
  EXPECT_EQ(PlayMove(root, &core, &board, e4), child);
  EXPECT_EQ(core.Pool_free, free_before);
  EXPECT_EQ(at("e4"), PAWN);
}

TEST_F(PositionTreeTest, FastModeNeitherLinksNorReuses) {
  PositionNode* root = initial_root();
  board.Fast_mode = 1;
  PositionNode* first = PlayMove(root, &core, &board, 13);
  TakeBack(first, &board);
  PositionNode* second = PlayMove(root, &core, &board, 13);
  EXPECT_NE(first, second);
  EXPECT_EQ(root->Zuege()[13].Folge_zeiger, 0u);
}

TEST_F(PositionTreeTest, MaterialFollowsCapturesButNotEnPassantOrPromotion) {
  PositionNode* root = initial_root();
  RecountMaterial(root, &board);
  EXPECT_EQ(root->Qualitaet_weiss, 101);
  EXPECT_EQ(root->Qualitaet_schw, 101);

  PositionNode* node = base("r3k3/1P6/8/8/8/8/8/4K3 w - - 0 1");
  const uint8_t black = node->Qualitaet_schw, white = node->Qualitaet_weiss;
  PositionNode* took = PlayMove(node, &core, &board, static_cast<int16_t>(find(node, "b7a8", QUEEN)));
  EXPECT_EQ(took->Qualitaet_schw, black - 5);
  EXPECT_EQ(took->Qualitaet_weiss, white);

  PositionNode* ep = base("4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1");
  PositionNode* after = PlayMove(ep, &core, &board, static_cast<int16_t>(find(ep, "e5d6")));
  EXPECT_EQ(after->Qualitaet_schw, ep->Qualitaet_schw);
}

TEST_F(PositionTreeTest, NewBaseFromNodeKeepsLastMoveAndSideToMove) {
  PositionNode* ep = base("4k3/8/8/8/3Pp3/8/8/4K3 b - d3 0 12");
  PositionNode* copy = NewBaseFromNode(ep, &core);
  EXPECT_EQ(copy->Letzt_zug_zeiger, 0u);
  EXPECT_EQ(copy->Welcher_zug, -12);
  EXPECT_GE(find(copy, "e4d3"), 0) << "en passant survives the copy";
}

TEST_F(PositionTreeTest, CreateNodeNeedsItsReserve) {
  SetInitialPosition();
  uint8_t* at_free = core.Pool_free;
  EXPECT_EQ(CreateNode(nullptr, at_free, at_free + 783, 0, 0, 0, ALL_CASTLING, 1), nullptr);
  EXPECT_NE(CreateNode(nullptr, at_free, at_free + 784, 0, 0, 0, ALL_CASTLING, 1), nullptr);
}

TEST_F(PositionTreeTest, PlayingWithoutRoomEndsTheProgram) {
  PositionNode* root = initial_root();
  core.Pool_end = core.Pool_free + 783;
  EXPECT_EXIT(PlayMove(root, &core, &board, 0), ::testing::ExitedWithCode(1), "Kein freier Speicherplatz");
}

}  // namespace
