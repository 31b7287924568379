#include "attacks.h"

#include <vector>

#include "bitboard.h"

namespace tolvane {
namespace {

constexpr int RookTableSize = 102400;   // sum of 2^bits over all squares
constexpr int BishopTableSize = 5248;
Bitboard rook_table[RookTableSize];
Bitboard bishop_table[BishopTableSize];

Bitboard edges_excluded_mask(PieceType t, Square s) {
  Bitboard edges = ((Rank1 | Rank8) & ~rank_bb(rank_of(s))) | ((FileA | FileH) & ~file_bb(file_of(s)));
  return slow_slider_attacks(t, s, 0) & ~edges;
}

// Small deterministic generator; sparse candidates find magics fastest.
struct Xorshift {
  std::uint64_t state;
  std::uint64_t next() {
    state ^= state >> 12;
    state ^= state << 25;
    state ^= state >> 27;
    return state * 2685821657736338717ULL;
  }
  std::uint64_t sparse() { return next() & next() & next(); }
};

void find_magics(PieceType t, Magic* magics, Bitboard* table) {
  Xorshift rng{0x9E3779B97F4A7C15ULL ^ std::uint64_t(t)};
  Bitboard* next_free = table;
  std::vector<Bitboard> occupancies, attacks, used;
  std::vector<int> epoch;
  int attempt = 0;
  for (Square s = 0; s < 64; ++s) {
    Magic& m = magics[s];
    m.mask = edges_excluded_mask(t, s);
    int bits = popcount(m.mask);
    m.shift = 64 - bits;
    m.attacks = next_free;
    std::size_t size = std::size_t(1) << bits;
    occupancies.clear();
    attacks.clear();
    // Enumerate every subset of the mask (carry-rippler).
    Bitboard sub = 0;
    do {
      occupancies.push_back(sub);
      attacks.push_back(slow_slider_attacks(t, s, sub));
      sub = (sub - m.mask) & m.mask;
    } while (sub);
    used.assign(size, 0);
    epoch.assign(size, 0);
    for (;;) {
      m.multiplier = rng.sparse();
      if (popcount((m.mask * m.multiplier) >> 56) < 6) continue;
      ++attempt;
      bool ok = true;
      for (std::size_t i = 0; i < occupancies.size() && ok; ++i) {
        unsigned idx = m.index(occupancies[i]);
        if (epoch[idx] != attempt) {
          epoch[idx] = attempt;
          used[idx] = attacks[i];
        } else if (used[idx] != attacks[i]) {
          ok = false;
        }
      }
      if (ok) break;
    }
    for (std::size_t i = 0; i < size; ++i) next_free[i] = used[i];
    next_free += size;
  }
}

SliderTables build() {
  SliderTables t{};
  find_magics(Bishop, t.bishop, bishop_table);
  find_magics(Rook, t.rook, rook_table);
  return t;
}

}  // namespace

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
