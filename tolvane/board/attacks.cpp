#include "attacks.h"

#include <cstdio>
#include <cstdlib>

#include "bitboard.h"
#include "magic_multipliers.h"

namespace tolvane {
namespace {

constexpr int RookTableSize = 102400;   // sum of 2^bits over all squares
constexpr int BishopTableSize = 5248;
Bitboard rook_table[RookTableSize];
Bitboard bishop_table[BishopTableSize];

// Fills each square's part of table through its multiplier. A collision of two different attack
// sets means the committed multipliers do not fit this board: nothing could be trusted after it.
void fill_tables(PieceType t, const Bitboard (&multipliers)[64], Magic* magics, Bitboard* table) {
  Bitboard* next_free = table;
  for (Square s = 0; s < 64; ++s) {
    Magic& m = magics[s];
    m.mask = slider_mask(t, s);
    m.multiplier = multipliers[s];
    m.shift = 64 - popcount(m.mask);
    m.attacks = next_free;
    Bitboard subset = 0;
    do {  // every subset of the mask (carry-rippler)
      const Bitboard attacks = slow_slider_attacks(t, s, subset);
      Bitboard& entry = next_free[m.index(subset)];
      if (entry != 0 && entry != attacks) {
        std::fprintf(stderr, "tolvane: the slider multiplier of square %d does not fit\n", s);
        std::abort();
      }
      entry = attacks;
      subset = (subset - m.mask) & m.mask;
    } while (subset);
    next_free += std::size_t(1) << popcount(m.mask);
  }
}

SliderTables build() {
  SliderTables t{};
  fill_tables(Bishop, BISHOP_MULTIPLIERS, t.bishop, bishop_table);
  fill_tables(Rook, ROOK_MULTIPLIERS, t.rook, rook_table);
  return t;
}

}  // namespace

Bitboard slider_mask(PieceType t, Square s) {
  Bitboard edges = ((Rank1 | Rank8) & ~rank_bb(rank_of(s))) | ((FileA | FileH) & ~file_bb(file_of(s)));
  return slow_slider_attacks(t, s, 0) & ~edges;
}

Bitboard slow_slider_attacks(PieceType t, Square s, Bitboard occ) {
  static constexpr int rook_dirs[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
  static constexpr int bishop_dirs[4][2] = {{1, 1}, {1, -1}, {-1, 1}, {-1, -1}};
  const auto& dirs = t == Rook ? rook_dirs : bishop_dirs;
  Bitboard result = 0;
  for (const auto& d : dirs) {
    for (int f = file_of(s) + d[0], r = rank_of(s) + d[1]; f >= 0 && f < 8 && r >= 0 && r < 8;
         f += d[0], r += d[1]) {
      Bitboard b = square_bb(make_square(f, r));
      result |= b;
      if (occ & b) break;
    }
  }
  return result;
}

const SliderTables sliders = build();

}  // namespace tolvane
