// Making and unmaking the special moves leaves the board exactly as before.
#include <cstring>

#include "tests/position_fixture.h"

namespace {

using MakeMoveTest = PositionTest;

// The king's two-file step brings its rook over; a step of one file moves no rook.
TEST_F(MakeMoveTest, CastlingMovesTheRookAndComesBack) {
  struct Castle {
    const char* fen;
    const char* king;
    const char* rook_from;
    const char* rook_to;
  };
  const char* white = "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1";
  const char* black = "r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1";
  for (const Castle& c : {Castle{white, "e1g1", "h1", "f1"}, Castle{white, "e1c1", "a1", "d1"},
                          Castle{black, "e8g8", "h8", "f8"}, Castle{black, "e8c8", "a8", "d8"},
                          Castle{white, "e1f1", "h1", "h1"}}) {
    PositionNode* node = base(c.fen);
    const Board before = board;
    const int i = find(node, c.king);
    ASSERT_GE(i, 0) << c.king;
    const Piece rook = at(c.rook_from);
    EXPECT_EQ(MakeMove(&board, node, static_cast<int16_t>(i)), 0);
    EXPECT_EQ(at(c.rook_to), rook);
    if (std::strcmp(c.rook_to, c.rook_from) != 0) {
      EXPECT_EQ(at(c.rook_from), 0);
    }
    EXPECT_EQ(at(c.king + 2) & KIND_MASK, KING);
    const MoveEntry& m = node->Zuege()[i];
    UnmakeMove(m.Von, m.Nach, 0, m.Status, &board);
    EXPECT_TRUE(same_board(before, board)) << c.king;
  }
}

// En passant, promotions and captures, in either mode: made, the piece lands and the squares
// emptied are empty; unmade, the board is as before.
TEST_F(MakeMoveTest, CapturesEnPassantAndPromotionsComeBack) {
  struct Case {
    const char* fen;
    const char* move;
    Piece promoted;
    Piece captured;
    Piece landed;
    const char* emptied;
  };
  const Case cases[] = {
      {"4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", "e5d6", 0, 0, PAWN, "d5"},  // the pawn beside goes
      {"4k3/8/8/8/8/8/1p6/R3K3 b - - 0 1", "b2a1", KNIGHT | BLACK, ROOK, KNIGHT | BLACK, "b2"},
      {"k7/4P3/8/8/8/8/8/4K3 w - - 0 1", "e7e8", QUEEN, 0, QUEEN, "e7"},
      {"4k3/8/8/3r4/8/4N3/8/4K3 w - - 0 1", "e3d5", 0, ROOK | BLACK, KNIGHT, "e3"},
  };
  for (uint8_t mode : {0, 1}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(c.move);
      PositionNode* node = base(c.fen);
      board.Fast_mode = mode;
      const Board before = board;
      const int i = find(node, c.move, c.promoted);
      ASSERT_GE(i, 0);
      EXPECT_EQ(MakeMove(&board, node, static_cast<int16_t>(i)), c.captured);
      EXPECT_EQ(at(c.move + 2), c.landed);
      EXPECT_EQ(at(c.emptied), 0);
      const MoveEntry& m = node->Zuege()[i];
      UnmakeMove(m.Von, m.Nach, c.captured, m.Status, &board);
      EXPECT_TRUE(same_board(before, board));
    }
  }
}

}  // namespace
