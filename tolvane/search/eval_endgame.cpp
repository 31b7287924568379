#include "search/eval_endgame.h"

#include "search/eval_tables.h"
#include "search/evaluate.h"

namespace tolvane {
namespace {

constexpr Bitboard DarkSquares = 0xAA55AA55AA55AA55ULL;
constexpr int RookValue = 500;
constexpr int MatingBonus = 400;

int edge_pull(Square s) {
  int f = file_of(s), r = rank_of(s);
  return 3 - std::min(std::min(f, 7 - f), std::min(r, 7 - r));  // 0 in the centre, 3 on the rim
}

bool bare_king(const Position& pos, Color c) { return pos.pieces(c) == pos.pieces(c, King); }

bool opposite_bishops(const Position& pos) {
  Bitboard w = pos.pieces(White, Bishop), b = pos.pieces(Black, Bishop);
  if (popcount(w) != 1 || popcount(b) != 1) return false;
  return ((w & DarkSquares) != 0) != ((b & DarkSquares) != 0);
}

}  // namespace

bool rarely_wins(const Position& pos, Color strong) {
  return !pos.pieces(strong, Pawn) && non_pawn_material(pos, strong) - non_pawn_material(pos, ~strong) < RookValue;
}

int endgame_adjusted(const Position& pos, int value, int phase) {
  const Color strong = value > 0 ? White : Black;
  const Color weak = ~strong;
  // A queen or rook against a bare king: push the king to the edge and bring
  // the own king close, so that the search finds the mate soon.
  if (bare_king(pos, weak) && (pos.pieces(strong, Queen) || pos.pieces(strong, Rook))) {
    Square loser = pos.king_square(weak);
    int drive = MatingBonus + 40 * edge_pull(loser) + 10 * (7 - distance(loser, pos.king_square(strong)));
    return value + (strong == White ? drive : -drive);
  }
  if (rarely_wins(pos, strong)) return value / RarelyWinsDivisor;
  // Bishops of opposite colours: with only pawns besides, about half is a draw.
  if (opposite_bishops(pos)) return phase == 2 ? value / 2 : value * 3 / 4;
  return value;
}

}  // namespace tolvane
