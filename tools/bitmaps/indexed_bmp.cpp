#include "indexed_bmp.h"

#include <fstream>

IndexedImage::IndexedImage(int w, int h, int bits, std::vector<PaletteColour> colours, uint8_t fill)
    : width(w), height(h), bits_per_pixel(bits), palette(std::move(colours)),
      pixels(static_cast<size_t>(w) * h, fill) {}

std::vector<PaletteColour> sixteen_colour_palette() {
  return {{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
          {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
          {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
          {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
}

namespace {

void put16(std::vector<uint8_t>& out, uint32_t value) {
  out.push_back(value & 0xFF);
  out.push_back((value >> 8) & 0xFF);
}

void put32(std::vector<uint8_t>& out, uint32_t value) {
  put16(out, value & 0xFFFF);
  put16(out, value >> 16);
}

}  // namespace

std::vector<uint8_t> encode_bmp(const IndexedImage& image) {
  const uint32_t row_bytes = ((image.width * image.bits_per_pixel + 31) / 32) * 4;
  const uint32_t palette_bytes = static_cast<uint32_t>(image.palette.size()) * 4;
  const uint32_t pixel_offset = 14 + 40 + palette_bytes;
  const uint32_t image_bytes = row_bytes * image.height;

  std::vector<uint8_t> out;
  out.reserve(pixel_offset + image_bytes);
  out.push_back('B');
  out.push_back('M');
  put32(out, pixel_offset + image_bytes);
  put32(out, 0);  // reserved
  put32(out, pixel_offset);

  put32(out, 40);  // info header size
  put32(out, image.width);
  put32(out, image.height);  // positive: rows stored bottom-up
  put16(out, 1);             // planes
  put16(out, image.bits_per_pixel);
  put32(out, 0);             // no compression
  put32(out, image_bytes);
  put32(out, 2835);          // 72 dpi, both directions
  put32(out, 2835);
  put32(out, static_cast<uint32_t>(image.palette.size()));
  put32(out, 0);             // all colours important

  for (const PaletteColour& c : image.palette) {
    out.push_back(c.blue);
    out.push_back(c.green);
    out.push_back(c.red);
    out.push_back(0);
  }

  const int per_byte = 8 / image.bits_per_pixel;
  for (int y = image.height - 1; y >= 0; --y) {
    std::vector<uint8_t> row(row_bytes, 0);
    for (int x = 0; x < image.width; ++x) {
      const int shift = 8 - image.bits_per_pixel * (x % per_byte + 1);
      row[x / per_byte] |= static_cast<uint8_t>(image.at(x, y) << shift);
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

bool write_bmp(const std::string& path, const IndexedImage& image) {
  const std::vector<uint8_t> bytes = encode_bmp(image);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  file.close();
  return file.good();
}
