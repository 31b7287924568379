// Generates the program's bitmap resources: the 18 piece images and masks and the coordinate picture.
// Usage: tolvane-bitmaps FONT.ttf OUTPUT_DIRECTORY
#include <QFontDatabase>
#include <QGuiApplication>
#include <QStringList>

#include <cstdio>
#include <string>

#include "board_diagram.h"
#include "piece_art.h"

namespace {

constexpr int BITMAP_SIZE = 48;
constexpr int DRAWN_SIZE = 47;  // the painter shows only the top-left 47 x 47 pixels

struct PieceKind {
  const char* name;  // resource name stem; M, W, B follow
  char32_t glyph;    // the font's outline glyph of the White piece
};

constexpr PieceKind PIECE_KINDS[] = {
    {"KONIG", U'\u2654'}, {"DAME", U'\u2655'},     {"LAUFER", U'\u2657'},
    {"SPRINGER", U'\u2658'}, {"TURM", U'\u2656'}, {"BAUER", U'\u2659'},
};

IndexedImage piece_bitmap(const Silhouette& piece, uint8_t inside, uint8_t outside) {
  IndexedImage image(BITMAP_SIZE, BITMAP_SIZE, 4, sixteen_colour_palette(), outside);
  for (int y = 0; y < BITMAP_SIZE; ++y)
    for (int x = 0; x < BITMAP_SIZE; ++x)
      if (piece.at(x, y)) image.at(x, y) = inside;
  return image;
}

bool write(const std::string& directory, const std::string& name, const IndexedImage& image) {
  const std::string path = directory + "/" + name + ".bmp";
  if (write_bmp(path, image)) return true;
  std::fprintf(stderr, "cannot write %s\n", path.c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s FONT.ttf OUTPUT_DIRECTORY\n", argv[0]);
    return 2;
  }
  const int font_id = QFontDatabase::addApplicationFont(QString::fromLocal8Bit(argv[1]));
  const QStringList families = QFontDatabase::applicationFontFamilies(font_id);
  if (families.isEmpty()) {
    std::fprintf(stderr, "cannot load the font %s\n", argv[1]);
    return 1;
  }
  const QString family = families.first();
  const std::string directory = argv[2];

  bool ok = true;
  for (const PieceKind& kind : PIECE_KINDS) {
    const Silhouette piece = trace_glyph(family, kind.glyph, BITMAP_SIZE, DRAWN_SIZE);
    const std::string stem = kind.name;
    // Mask: black inside the outline, white outside. Images: the piece's colour inside, black outside.
    ok &= write(directory, stem + "M", piece_bitmap(piece, BLACK_INDEX, WHITE_INDEX));
    ok &= write(directory, stem + "W", piece_bitmap(piece, RED_INDEX, BLACK_INDEX));
    ok &= write(directory, stem + "B", piece_bitmap(piece, BLUE_INDEX, BLACK_INDEX));
  }
  ok &= write(directory, "133", draw_board_diagram(family));
  return ok ? 0 : 1;
}
