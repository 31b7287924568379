#pragma once
// The coordinate picture of the possible-moves dialog: an empty board, White at the bottom, with
// rank numbers on both sides and file letters underneath.
#include <QString>

#include "indexed_bmp.h"

constexpr int DIAGRAM_WIDTH = 269;
constexpr int DIAGRAM_HEIGHT = 198;

// A monochrome image: palette index 0 black, 1 white.
IndexedImage draw_board_diagram(const QString& font_family);
