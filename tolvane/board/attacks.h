// Sliding attacks through magic multiplication: each square's relevant
// blocker bits are hashed by a fixed multiplier (magic_multipliers.h) into a
// dense table of attack sets.
#pragma once

#include "types.h"

namespace tolvane {

struct Magic {
  Bitboard mask;
  Bitboard multiplier;
  const Bitboard* attacks;
  int shift;
  unsigned index(Bitboard occ) const { return unsigned(((occ & mask) * multiplier) >> shift); }
};

struct SliderTables {
  Magic bishop[64];
  Magic rook[64];
};
// Built during static initialisation; no other static initialiser may use it.
extern const SliderTables sliders;

// Plain ray walk; the reference the magic tables are built from.
Bitboard slow_slider_attacks(PieceType t, Square s, Bitboard occ);
// The squares whose blockers matter to a slider on s: its rays without the board's edge.
Bitboard slider_mask(PieceType t, Square s);

inline Bitboard bishop_attacks(Square s, Bitboard occ) {
  const Magic& m = sliders.bishop[s];
  return m.attacks[m.index(occ)];
}
inline Bitboard rook_attacks(Square s, Bitboard occ) {
  const Magic& m = sliders.rook[s];
  return m.attacks[m.index(occ)];
}
inline Bitboard queen_attacks(Square s, Bitboard occ) {
  return bishop_attacks(s, occ) | rook_attacks(s, occ);
}

}  // namespace tolvane
