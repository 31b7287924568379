#pragma once
// The program's icon: White's knight from the piece pictures on a light board square. The
// window shows it and the installation carries it as files for the desktop's icon theme.
#include <QIcon>
#include <QImage>

// The sizes an icon theme expects, in pixels; 256 the largest.
constexpr int APPLICATION_ICON_SIZES[] = {16, 22, 24, 32, 48, 64, 128, 256};

// The icon at size x size pixels.
QImage draw_application_icon(int size);

// The icon at every size of APPLICATION_ICON_SIZES.
QIcon application_icon();
