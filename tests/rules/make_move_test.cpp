// Making and unmaking the special moves leaves the board exactly as before.
#include <cstring>

#include "tests/position_fixture.h"

namespace {

using MakeMoveTest = PositionTest;

struct Castle {
  const char* fen;
  const char* king;
  const char* rook_from;
  const char* rook_to;
};

TEST_F(MakeMoveTest, CastlingMovesTheRookAndComesBack) {
  for (const Castle& c : {Castle{"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "e1g1", "h1", "f1"},
                          Castle{"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "e1c1", "a1", "d1"},
                          Castle{"r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", "e8g8", "h8", "f8"},
                          Castle{"r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", "e8c8", "a8", "d8"}}) {
    PositionNode* node = base(c.fen);
    const Board before = board;
    const int i = find(node, c.king);
    ASSERT_GE(i, 0) << c.king;
    const Piece rook = at(c.rook_from);
    EXPECT_EQ(MakeMove(&board, node, static_cast<int16_t>(i)), 0);
    EXPECT_EQ(at(c.rook_to), rook);
    EXPECT_EQ(at(c.rook_from), 0);
    EXPECT_EQ(at(c.king + 2) & KIND_MASK, KING);
    const MoveEntry& m = node->Zuege()[i];
    UnmakeMove(m.Von, m.Nach, 0, m.Status, &board);
    EXPECT_TRUE(same_board(before, board)) << c.king;
  }
}

TEST_F(MakeMoveTest, KingStepOfOneFileMovesNoRook) {
  PositionNode* node = base("r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1");
  MakeMove(&board, node, static_cast<int16_t>(find(node, "e1f1")));
  EXPECT_EQ(at("h1"), ROOK);
  EXPECT_EQ(at("f1"), KING);
}

TEST_F(MakeMoveTest, EnPassantRemovesThePawnBesideAndUnmakePutsItBack) {
  PositionNode* node = base("4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1");
  const Board before = board;
  const int i = find(node, "e5d6");
  EXPECT_EQ(MakeMove(&board, node, static_cast<int16_t>(i)), 0);
  EXPECT_EQ(at("d6"), PAWN);
  EXPECT_EQ(at("d5"), 0);
  const MoveEntry& m = node->Zuege()[i];
  UnmakeMove(m.Von, m.Nach, 0, m.Status, &board);
  EXPECT_TRUE(same_board(before, board));
}

TEST_F(MakeMoveTest, PromotionWithAndWithoutCaptureComesBackAsPawn) {
  PositionNode* node = base("4k3/8/8/8/8/8/1p6/R3K3 b - - 0 1");
  const Board before = board;
  const int i = find(node, "b2a1", KNIGHT | BLACK);
  EXPECT_EQ(MakeMove(&board, node, static_cast<int16_t>(i)), ROOK);
  EXPECT_EQ(at("a1"), KNIGHT | BLACK);
  const MoveEntry& m = node->Zuege()[i];
  UnmakeMove(m.Von, m.Nach, ROOK, m.Status, &board);
  EXPECT_TRUE(same_board(before, board));

  PositionNode* quiet = base("k7/4P3/8/8/8/8/8/4K3 w - - 0 1");
  const int q = find(quiet, "e7e8", QUEEN);
  MakeMove(&board, quiet, static_cast<int16_t>(q));
  EXPECT_EQ(at("e8"), QUEEN);
  UnmakeMove(quiet->Zuege()[q].Von, quiet->Zuege()[q].Nach, 0, quiet->Zuege()[q].Status, &board);
  EXPECT_EQ(at("e7"), PAWN);
  EXPECT_EQ(at("e8"), 0);
}

TEST_F(MakeMoveTest, CaptureComesBackInEitherMode) {
  for (uint8_t mode : {0, 1}) {
    PositionNode* node = base("4k3/8/8/3r4/8/4N3/8/4K3 w - - 0 1");
    board.Fast_mode = mode;
    const Board before = board;
    const int take = find(node, "e3d5");
    EXPECT_EQ(MakeMove(&board, node, static_cast<int16_t>(take)), ROOK | BLACK);
    const MoveEntry& m = node->Zuege()[take];
    UnmakeMove(m.Von, m.Nach, ROOK | BLACK, m.Status, &board);
    EXPECT_TRUE(same_board(before, board));
  }
}

}  // namespace
