#pragma once
// Composes the board off screen, square by square, with the raster operations of the piece bitmaps.
#include <QImage>

#include "rules/records.h"
#include "ui/board/piece_bitmaps.h"

constexpr int BOARD_PIXELS = 376;
constexpr int SQUARE_PIXELS = BOARD_PIXELS / 8;  // 47

// What the board shows besides the pieces.
struct BoardView {
  int board_turned;     // 0: White at the bottom
  int square_selected;  // 1: the selected display square shows a silhouette
  int selected_column;
  int selected_row;
};

// The game-board square shown at display row and column (0-7 from the top left).
int square_at_display(int row, int column, int board_turned);

// The 376 x 376 Format_RGB32 picture of the board.
QImage compose_board(const Board& board, const PieceBitmaps& bitmaps, const BoardView& view);
