#pragma once
// Writes palette images as uncompressed Windows bitmap files (1 or 4 bits per pixel), the form the
// board painter and the dialogs load as resources.
#include <cstdint>
#include <string>
#include <vector>

struct PaletteColour {
  uint8_t red, green, blue;
};

struct IndexedImage {
  int width = 0;
  int height = 0;
  int bits_per_pixel = 4;               // 1 or 4
  std::vector<PaletteColour> palette;   // 2 or 16 entries
  std::vector<uint8_t> pixels;          // palette indexes, row by row from the top

  IndexedImage(int w, int h, int bits, std::vector<PaletteColour> colours, uint8_t fill);
  uint8_t& at(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
  uint8_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// The sixteen colours of the classic 4-bit display palette; index 0 is black, 9 red, 12 blue, 15 white.
std::vector<PaletteColour> sixteen_colour_palette();
constexpr uint8_t BLACK_INDEX = 0;
constexpr uint8_t RED_INDEX = 9;
constexpr uint8_t BLUE_INDEX = 12;
constexpr uint8_t WHITE_INDEX = 15;

// The file bytes: file header, info header, palette, rows bottom-up padded to 4 bytes.
std::vector<uint8_t> encode_bmp(const IndexedImage& image);
// False when the file cannot be written completely.
bool write_bmp(const std::string& path, const IndexedImage& image);
