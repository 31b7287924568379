// The program's icon: a framed light square with White's knight from the piece pictures, at
// every size the icon theme expects, and the window's icon made of the same pictures.
#include "tests/ui/support/window_test_support.h"
#include "ui/board/application_icon.h"
#include "ui/board/piece_bitmaps.h"

namespace {
// The pixels of image whose colour passes test.
int count_of(const QImage& image, const std::function<bool(QColor)>& test) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) count += test(image.pixelColor(x, y));
  return count;
}
int count_of(const QImage& image, QRgb colour) {
  return count_of(image, [colour](QColor pixel) { return pixel.rgba() == colour; });
}

// The pixels inside the knight's outline, in the part of its mask the board shows.
int knight_pixels() { return count_of(LoadBitmap(QStringLiteral("SPRINGERM")).copy(0, 0, 47, 47), BLACK_PIXEL); }

}  // namespace

class ApplicationIconTest : public QObject {
  Q_OBJECT
 private slots:
  void every_size_is_a_framed_square_with_the_red_knight() {
    QVERIFY(knight_pixels() > 300);
    for (const int size : APPLICATION_ICON_SIZES) {
      const QImage icon = draw_application_icon(size);
      QCOMPARE(icon.size(), QSize(size, size));
      QCOMPARE(icon.pixel(0, 0), BLACK_PIXEL);
      QCOMPARE(icon.pixel(size - 1, size - 1), BLACK_PIXEL);
      QCOMPARE(icon.pixel(size / 2, size - 1), BLACK_PIXEL);
      // The square's first row inside the frame is white; the middle holds the knight.
      QCOMPARE(icon.pixel(size / 2, std::max(1, size / 32)), WHITE);
      if (size >= 64) {
        // Scaled by a whole factor: only red, white and the frame, and every knight pixel of the
        // picture became factor x factor red ones.
        const int factor = (size - 2 * (size / 32)) / 47;
        QCOMPARE(count_of(icon, RED), knight_pixels() * factor * factor);
        QCOMPARE(count_of(icon, RED) + count_of(icon, WHITE) + count_of(icon, BLACK_PIXEL), size * size);
      } else {
        const int reddish =
            count_of(icon, [](QColor pixel) { return pixel.red() > 200 && pixel.green() < 150 && pixel.blue() < 150; });
        QVERIFY2(reddish > size * size / 8, qPrintable(QStringLiteral("size %1").arg(size)));
      }
    }
  }

  void the_window_icon_has_every_size_drawn_alike() {
    const QIcon icon = application_icon();
    QCOMPARE(icon.availableSizes().size(), std::size(APPLICATION_ICON_SIZES));
    for (const int size : APPLICATION_ICON_SIZES) {
      QVERIFY(icon.availableSizes().contains(QSize(size, size)));
      QCOMPARE(icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32),
               draw_application_icon(size));
    }
  }
};

WINDOW_TEST_MAIN(ApplicationIconTest)
#include "application_icon_window_test.moc"
