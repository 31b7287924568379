#pragma once
// Piece silhouettes traced from a chess font's outline glyphs.
#include <vector>

#include <QString>

// One piece kind: true where a pixel lies inside the piece's outline.
struct Silhouette {
  int size = 0;
  std::vector<bool> inside;  // size * size, row by row from the top
  bool at(int x, int y) const { return inside[static_cast<size_t>(y) * size + x]; }
};

// Renders the glyph of font_family and fills everything its outline encloses. The silhouette is
// centred in the top-left drawn_size pixels of a size x size square.
Silhouette trace_glyph(const QString& font_family, char32_t glyph, int size, int drawn_size);
