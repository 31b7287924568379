// Board painting: the composed squares pixel by pixel, and the board stretched over the window.
#include "rules/records.h"
#include "tests/ui/support/window_test_support.h"
#include "ui/board/board_drawing.h"
#include "ui/board/piece_bitmaps.h"

namespace {

Board initial_board() {
  SetInitialPosition();
  return game_board();
}

// The mask of a piece kind, looked up by its name (not through the slots the program uses); a null
// image for anything that is not a piece.
QImage mask_of(uint8_t piece) {
  const std::pair<uint8_t, const char*> masks[] = {{KING, "KONIGM"}, {QUEEN, "DAMEM"}, {BISHOP, "LAUFERM"},
                                                   {KNIGHT, "SPRINGERM"}, {ROOK, "TURMM"}, {PAWN, "BAUERM"}};
  for (const auto& [kind, name] : masks)
    if ((piece & ~BLACK) == kind) return LoadBitmap(QString::fromLatin1(name));
  return QImage();
}

// Checks every pixel of one display square: inside the piece's outline one colour, outside another.
// Returns the first wrong pixel as text, or an empty string.
QString square_differs(const QImage& board, int row, int column, uint8_t piece, QRgb inside, QRgb outside) {
  const QImage mask = mask_of(piece);
  for (int y = 0; y < SQUARE_PIXELS; ++y)
    for (int x = 0; x < SQUARE_PIXELS; ++x) {
      const bool in_piece = !mask.isNull() && (mask.pixel(x, y) & 0xFFFFFF) == 0;
      const QRgb want = in_piece ? inside : outside;
      const QRgb got = board.pixel(column * SQUARE_PIXELS + x, row * SQUARE_PIXELS + y);
      if ((got | 0xFF000000) != want) {
        return QStringLiteral("square %1,%2 pixel %3,%4: %5 instead of %6")
            .arg(row).arg(column).arg(x).arg(y).arg(got, 8, 16).arg(want, 8, 16);
      }
    }
  return QString();
}

}  // namespace

class BoardWindowTest : public WindowTest {
  Q_OBJECT
  PieceBitmaps bitmaps = load_piece_bitmaps();

 private slots:
  void bitmaps_are_found_without_regard_to_case() {
    for (const QImage& bitmap : bitmaps) {
      QCOMPARE(bitmap.size(), QSize(48, 48));
      QCOMPARE(bitmap.format(), QImage::Format_RGB32);
    }
    QVERIFY(!LoadBitmap(QStringLiteral("Turmw")).isNull());
    QCOMPARE(LoadBitmap(QStringLiteral("133")).size(), QSize(269, 198));
    QVERIFY(LoadBitmap(QStringLiteral("turm")).isNull());
  }

  void initial_position_in_both_orientations() {
    const Board board = initial_board();
    const QImage upright = compose_board(board, bitmaps, {0, 0, 10, 10});
    QCOMPARE(upright.size(), QSize(376, 376));
    // Every square, rank 8 at the top: each piece in its colour (Black blue, White red) on the
    // square's colour, the top-left square light.
    for (int r = 0; r < 8; ++r)
      for (int c = 0; c < 8; ++c) {
        const uint8_t piece = board.squares[(7 - r) * 8 + c];
        const QRgb square = (r + c) % 2 == 0 ? WHITE : BLACK_PIXEL;
        QCOMPARE(square_differs(upright, r, c, piece, piece & BLACK ? BLUE : RED, square), QString());
      }

    const QImage turned = compose_board(board, bitmaps, {1, 0, 10, 10});
    QCOMPARE(square_differs(turned, 0, 0, ROOK, RED, WHITE), QString());          // h1
    QCOMPARE(square_differs(turned, 7, 7, ROOK | BLACK, BLUE, WHITE), QString());  // a8
    QCOMPARE(square_differs(turned, 7, 0, ROOK | BLACK, BLUE, BLACK_PIXEL), QString());
    QCOMPARE(square_differs(turned, 0, 3, KING, RED, BLACK_PIXEL), QString());     // e1
  }

  void selected_pieces_show_as_silhouettes() {
    const Board board = initial_board();
    // a1 is dark: a white silhouette on black; c1 beside it keeps its colours.
    const QImage dark = compose_board(board, bitmaps, {0, 1, 0, 7});
    QCOMPARE(square_differs(dark, 7, 0, ROOK, WHITE, BLACK_PIXEL), QString());
    QCOMPARE(square_differs(dark, 7, 2, BISHOP, RED, BLACK_PIXEL), QString());
    // a8 is light: a black silhouette on white.
    const QImage light = compose_board(board, bitmaps, {0, 1, 0, 0});
    QCOMPARE(square_differs(light, 0, 0, ROOK | BLACK, BLACK_PIXEL, WHITE), QString());
    // A selected empty square shows nothing, and neither does a selection not yet made.
    const QImage plain = compose_board(board, bitmaps, {0, 0, 10, 10});
    QCOMPARE(compose_board(board, bitmaps, {0, 1, 3, 4}), plain);
    QCOMPARE(compose_board(board, bitmaps, {0, 0, 0, 0}), plain);
  }

  void codes_outside_the_table_draw_empty_squares() {
    Board board{};
    board.squares[square_of(0, 7)] = 0x03;  // light
    board.squares[square_of(1, 7)] = 0x40;  // dark
    const QImage picture = compose_board(board, bitmaps, {0, 0, 10, 10});
    QCOMPARE(square_differs(picture, 0, 0, 0, 0, WHITE), QString());
    QCOMPARE(square_differs(picture, 0, 1, 0, 0, BLACK_PIXEL), QString());
  }

  void the_board_fills_a_window_of_any_shape() {
    open_frame();
    frame->showNormal();
    frame->resize(760, 300);
    QTRY_COMPARE(frame->client_area()->width(), 760);
    const QImage shown = frame->client_area()->grab().toImage();
    const int width = shown.width(), height = shown.height();
    QCOMPARE(width, 760);
    const QImage composed = compose_board(initial_board(), bitmaps, {0, 0, 10, 10});
    // Away from the seams every window pixel is the board pixel it was stretched from (the
    // sampling may fall on either neighbour of a pixel's exact source).
    for (int y = 1; y < height - 1; y += 7)
      for (int x = 1; x < width - 1; x += 5) {
        const int bx = std::min(x * 376 / width, 374), by = std::min(y * 376 / height, 374);
        const QRgb source = composed.pixel(bx, by);
        if (composed.pixel(bx + 1, by) != source || composed.pixel(bx, by + 1) != source ||
            composed.pixel(bx + 1, by + 1) != source)
          continue;
        QVERIFY2((shown.pixel(x, y) | 0xFF000000) == (source | 0xFF000000),
                 qPrintable(QStringLiteral("window pixel %1,%2").arg(x).arg(y)));
      }
    // A square is 95 pixels wide and an eighth of the height high: corners of the light a8, the
    // dark b8 and the light b7, all outside their pieces' outlines.
    QCOMPARE(shown.pixel(93, 1), WHITE);
    QCOMPARE(shown.pixel(96, 1), BLACK_PIXEL);
    QCOMPARE(shown.pixel(188, height / 8 - 2), BLACK_PIXEL);
    QCOMPARE(shown.pixel(96, height / 8 + 2), WHITE);
    frame->close();
  }
};

WINDOW_TEST_MAIN(BoardWindowTest)
#include "board_window_test.moc"
