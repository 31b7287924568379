#pragma once
// The piece images and masks, and the other bitmaps the program carries as resources.
#include <array>
#include <cstdint>

#include <QImage>
#include <QString>

constexpr int PIECE_BITMAP_COUNT = 18;
using PieceBitmaps = std::array<QImage, PIECE_BITMAP_COUNT>;

// Slot i holds the bitmap of this name: mask, White image, Black image for each kind.
extern const char* const PIECE_BITMAP_NAMES[PIECE_BITMAP_COUNT];

// A bitmap resource by name, without regard to case, as Format_RGB32 so that raster operations
// work on plain pixel values; a missing one is a null image.
QImage LoadBitmap(const QString& name);

PieceBitmaps load_piece_bitmaps();

// The image and mask slots of a piece code; any code that is no piece gives image -1, mask 0.
void PieceBitmapIndex(uint8_t piece, int* image_slot, int* mask_slot);
