#include "ui/board/application_icon.h"

#include <algorithm>

#include <QPainter>
#include <QPixmap>

#include "ui/board/piece_bitmaps.h"

namespace {

constexpr int DRAWN_PIXELS = 47;  // the part of a piece bitmap the board shows

// The knight on a light square as the board draws it: white AND the mask leaves the mask, and
// OR with the image fills the outline with the piece's colour.
QImage knight_on_light_square() {
  const QImage mask = LoadBitmap(QStringLiteral("springerm"));
  const QImage image = LoadBitmap(QStringLiteral("springerw"));
  QImage square(DRAWN_PIXELS, DRAWN_PIXELS, QImage::Format_RGB32);
  for (int y = 0; y < DRAWN_PIXELS; ++y)
    for (int x = 0; x < DRAWN_PIXELS; ++x)
      square.setPixel(x, y, mask.pixel(x, y) | image.pixel(x, y));
  return square;
}

}  // namespace

QImage draw_application_icon(int size) {
  // A black frame like the board's outline, thicker on the large sizes.
  const int frame = std::max(1, size / 32);
  const int inside = size - 2 * frame;
  QImage icon(size, size, QImage::Format_ARGB32);
  icon.fill(Qt::black);
  QPainter painter(&icon);
  painter.fillRect(frame, frame, inside, inside, Qt::white);
  // Whole multiples keep the pixel art's edges sharp; below its own size it is smoothed down.
  const QImage square = knight_on_light_square();
  const int piece = inside >= DRAWN_PIXELS ? inside / DRAWN_PIXELS * DRAWN_PIXELS : inside;
  const QImage scaled =
      square.scaled(piece, piece, Qt::IgnoreAspectRatio,
                    piece < DRAWN_PIXELS ? Qt::SmoothTransformation : Qt::FastTransformation);
  const int offset = frame + (inside - piece) / 2;
  painter.drawImage(offset, offset, scaled);
  return icon;
}

QIcon application_icon() {
  QIcon icon;
  for (const int size : APPLICATION_ICON_SIZES) icon.addPixmap(QPixmap::fromImage(draw_application_icon(size)));
  return icon;
}
