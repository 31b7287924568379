#include "piece_art.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

namespace {

// Coverage from which a pixel counts as the outline's ink. Low, so that thin antialiased strokes
// still close the outline and the outside flood cannot leak into the piece.
constexpr int INK_ALPHA = 64;
constexpr int MARGIN = 3;  // blank pixels between the piece and the drawn square's edge

QImage render_glyph(const QString& font_family, char32_t glyph, int size, int drawn_size) {
  QFont font(font_family);
  font.setPixelSize(200);
  QPainterPath path;
  path.addText(0, 0, font, QString::fromUcs4(&glyph, 1));

  const QRectF bounds = path.boundingRect();
  const double room = drawn_size - 2.0 * MARGIN;
  const double scale = room / std::max(bounds.width(), bounds.height());
  // Centred horizontally, standing on the bottom margin like a piece on its square.
  const double left = MARGIN + (room - bounds.width() * scale) / 2.0;
  const double top = MARGIN + (room - bounds.height() * scale);

  QImage image(size, size, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.translate(left, top);
  painter.scale(scale, scale);
  painter.translate(-bounds.left(), -bounds.top());
  painter.fillPath(path, Qt::black);
  return image;
}

}  // namespace

Silhouette trace_glyph(const QString& font_family, char32_t glyph, int size, int drawn_size) {
  const QImage ink = render_glyph(font_family, glyph, size, drawn_size);
  auto is_ink = [&](int x, int y) { return qAlpha(ink.pixel(x, y)) >= INK_ALPHA; };

  // Whatever the outside can reach without crossing ink is outside; the rest is the piece.
  std::vector<bool> outside(static_cast<size_t>(size) * size, false);
  std::vector<std::pair<int, int>> todo;
  for (int i = 0; i < size; ++i) {
    todo.emplace_back(i, 0);
    todo.emplace_back(i, size - 1);
    todo.emplace_back(0, i);
    todo.emplace_back(size - 1, i);
  }
  while (!todo.empty()) {
    const auto [x, y] = todo.back();
    todo.pop_back();
    if (x < 0 || y < 0 || x >= size || y >= size) continue;
    const size_t index = static_cast<size_t>(y) * size + x;
    if (outside[index] || is_ink(x, y)) continue;
    outside[index] = true;
    todo.emplace_back(x + 1, y);
    todo.emplace_back(x - 1, y);
    todo.emplace_back(x, y + 1);
    todo.emplace_back(x, y - 1);
  }

  Silhouette result;
  result.size = size;
  result.inside.resize(outside.size());
  for (size_t i = 0; i < outside.size(); ++i) result.inside[i] = !outside[i];
  return result;
}
