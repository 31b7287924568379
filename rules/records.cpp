#include "rules/records.h"

namespace {
Board the_game_board{};
constexpr uint8_t kMaterial[33] = {
    0, 63, 8, 0, 3, 0, 0, 0, 3, 0, 0, 0, 0, 0, 0, 0, 5,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1,
};
}  // namespace

Board& game_board() { return the_game_board; }

void SetInitialPosition() {
  Board& b = the_game_board;
  for (Piece& p : b.squares) p = 0;
  const Piece back_rank[8] = {ROOK, KNIGHT, BISHOP, QUEEN, KING, BISHOP, KNIGHT, ROOK};
  for (int file = 0; file < 8; ++file) {
    b.squares[square_of(file, 0)] = back_rank[file];
    b.squares[square_of(file, 1)] = PAWN;
    b.squares[square_of(file, 6)] = PAWN | BLACK;
    b.squares[square_of(file, 7)] = back_rank[file] | BLACK;
  }
}

int16_t NextMoveNumber(int16_t n) {
  return static_cast<int16_t>(n >= 0 ? -n : 1 - n);
}

uint8_t MaterialValue(Piece piece) {
  const unsigned kind = piece & KIND_MASK;
  return kind < sizeof kMaterial ? kMaterial[kind] : 0;
}
