#include "board_diagram.h"

#include <QFont>
#include <QImage>
#include <QPainter>

namespace {

constexpr int SQUARE = 22;
constexpr int BOARD = 8 * SQUARE;
constexpr int LABEL_WIDTH = 22;
constexpr int FRAME_LEFT = (DIAGRAM_WIDTH - BOARD - 2 - 2 * LABEL_WIDTH) / 2 + LABEL_WIDTH;
constexpr int FRAME_TOP = 1;
constexpr int BOARD_LEFT = FRAME_LEFT + 1;
constexpr int BOARD_TOP = FRAME_TOP + 1;
constexpr int LETTER_TOP = BOARD_TOP + BOARD + 2;

}  // namespace

IndexedImage draw_board_diagram(const QString& font_family) {
  QImage canvas(DIAGRAM_WIDTH, DIAGRAM_HEIGHT, QImage::Format_RGB32);
  canvas.fill(Qt::white);
  QPainter painter(&canvas);

  painter.setPen(Qt::black);
  painter.drawRect(FRAME_LEFT, FRAME_TOP, BOARD + 1, BOARD + 1);
  for (int row = 0; row < 8; ++row)
    for (int column = 0; column < 8; ++column)
      if ((row + column) % 2 == 1)
        painter.fillRect(BOARD_LEFT + column * SQUARE, BOARD_TOP + row * SQUARE, SQUARE, SQUARE,
                         Qt::black);

  QFont font(font_family);
  font.setPixelSize(14);
  font.setStyleStrategy(QFont::NoAntialias);
  painter.setFont(font);
  for (int i = 0; i < 8; ++i) {
    const QString rank = QString::number(8 - i);
    const int top = BOARD_TOP + i * SQUARE;
    painter.drawText(QRect(FRAME_LEFT - LABEL_WIDTH, top, LABEL_WIDTH, SQUARE), Qt::AlignCenter, rank);
    painter.drawText(QRect(FRAME_LEFT + BOARD + 2, top, LABEL_WIDTH, SQUARE), Qt::AlignCenter, rank);
    const QString file(QChar(u'a' + i));
    painter.drawText(QRect(BOARD_LEFT + i * SQUARE, LETTER_TOP, SQUARE, DIAGRAM_HEIGHT - LETTER_TOP),
                     Qt::AlignCenter, file);
  }
  painter.end();

  IndexedImage image(DIAGRAM_WIDTH, DIAGRAM_HEIGHT, 1, {{0, 0, 0}, {255, 255, 255}}, 1);
  for (int y = 0; y < DIAGRAM_HEIGHT; ++y)
    for (int x = 0; x < DIAGRAM_WIDTH; ++x)
      image.at(x, y) = qGray(canvas.pixel(x, y)) < 128 ? 0 : 1;
  return image;
}
