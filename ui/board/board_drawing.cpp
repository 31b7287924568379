#include "ui/board/board_drawing.h"

#include <QPainter>

namespace {

enum class RasterOp { Copy, And, Or, Xor };

// destination = op(destination, source) bit by bit on the pixel values of one square.
void blit(QPainter& painter, int x, int y, const QImage& source, RasterOp op) {
  switch (op) {
    case RasterOp::Copy: painter.setCompositionMode(QPainter::CompositionMode_Source); break;
    case RasterOp::And: painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination); break;
    case RasterOp::Or: painter.setCompositionMode(QPainter::RasterOp_SourceOrDestination); break;
    case RasterOp::Xor: painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination); break;
  }
  painter.drawImage(QPoint(x, y), source, QRect(0, 0, SQUARE_PIXELS, SQUARE_PIXELS));
}

}  // namespace

int square_at_display(int row, int column, int board_turned) {
  return board_turned ? row * 8 + (7 - column) : (7 - row) * 8 + column;
}

QImage compose_board(const Board& board, const PieceBitmaps& bitmaps, const BoardView& view) {
  QImage picture(BOARD_PIXELS, BOARD_PIXELS, QImage::Format_RGB32);
  picture.fill(Qt::white);
  QPainter painter(&picture);
  for (int r = 0; r < 8; ++r) {
    for (int c = 0; c < 8; ++c) {
      int image = -1;
      int mask = 0;
      PieceBitmapIndex(board.squares[square_at_display(r, c, view.board_turned)], &image, &mask);
      const bool highlighted =
          view.square_selected == 1 && view.selected_column == c && view.selected_row == r;
      const bool light = (r + c) % 2 == 0;
      const int x = c * BOARD_PIXELS / 8;
      const int y = r * BOARD_PIXELS / 8;
      const QImage& mask_bitmap = bitmaps[mask];
      if (light) {
        if (image < 0) continue;
        if (highlighted) {
          blit(painter, x, y, mask_bitmap, RasterOp::Xor);
          blit(painter, x, y, mask_bitmap, RasterOp::And);
          blit(painter, x, y, mask_bitmap, RasterOp::Or);
        } else {
          blit(painter, x, y, mask_bitmap, RasterOp::And);
          blit(painter, x, y, bitmaps[image], RasterOp::Or);
        }
      } else if (image < 0) {
        // The king mask copied and inverted with itself: a black square.
        blit(painter, x, y, mask_bitmap, RasterOp::Copy);
        blit(painter, x, y, mask_bitmap, RasterOp::Xor);
      } else if (highlighted) {
        blit(painter, x, y, mask_bitmap, RasterOp::Xor);
      } else {
        blit(painter, x, y, mask_bitmap, RasterOp::Xor);
        blit(painter, x, y, mask_bitmap, RasterOp::And);
        blit(painter, x, y, bitmaps[image], RasterOp::Or);
      }
    }
  }
  return picture;
}
