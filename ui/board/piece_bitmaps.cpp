#include "ui/board/piece_bitmaps.h"

#include <QDirIterator>

#include "rules/records.h"

// Outside any namespace, as the resource macro requires.
static void register_bitmap_resources() { Q_INIT_RESOURCE(bitmaps); }

const char* const PIECE_BITMAP_NAMES[PIECE_BITMAP_COUNT] = {
    "konigm", "konigw", "konigb", "damem",     "damew",     "dameb",
    "lauferm", "lauferw", "lauferb", "springerm", "springerw", "springerb",
    "turmm",  "turmw",  "turmb",  "bauerm",    "bauerw",    "bauerb",
};

QImage LoadBitmap(const QString& name) {
  static const bool registered = (register_bitmap_resources(), true);
  (void)registered;
  for (QDirIterator it(QStringLiteral(":/bitmaps")); it.hasNext();) {
    it.next();
    if (it.fileName().compare(name, Qt::CaseInsensitive) == 0) {
      return QImage(it.filePath(), "BMP").convertToFormat(QImage::Format_RGB32);
    }
  }
  return QImage();
}

PieceBitmaps load_piece_bitmaps() {
  PieceBitmaps bitmaps;
  for (int slot = 0; slot < PIECE_BITMAP_COUNT; ++slot) {
    bitmaps[slot] = LoadBitmap(QString::fromLatin1(PIECE_BITMAP_NAMES[slot]));
  }
  return bitmaps;
}

void PieceBitmapIndex(uint8_t piece, int* image_slot, int* mask_slot) {
  // Kinds in slot order; each kind has three slots: mask, White image, Black image.
  static constexpr uint8_t kinds[] = {KING, QUEEN, BISHOP, KNIGHT, ROOK, PAWN};
  const uint8_t kind = piece & KIND_MASK;
  const bool black = piece & BLACK;
  for (int k = 0; k < 6; ++k) {
    if (kinds[k] == kind) {
      *mask_slot = k * 3;
      *image_slot = k * 3 + (black ? 2 : 1);
      return;
    }
  }
  *image_slot = -1;
  *mask_slot = 0;
}
