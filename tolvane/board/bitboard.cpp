#include "bitboard.h"

#include <utility>

namespace tolvane {
namespace {

Bitboard step(Square s, int df, int dr) {
  int f = file_of(s) + df, r = rank_of(s) + dr;
  return (f >= 0 && f < 8 && r >= 0 && r < 8) ? square_bb(make_square(f, r)) : 0;
}

LeaperTables build() {
  LeaperTables t{};
  for (Square s = 0; s < 64; ++s) {
    t.pawn[White][s] = step(s, -1, 1) | step(s, 1, 1);
    t.pawn[Black][s] = step(s, -1, -1) | step(s, 1, -1);
    for (auto [df, dr] : {std::pair{1, 2}, {2, 1}, {2, -1}, {1, -2}, {-1, -2}, {-2, -1}, {-2, 1}, {-1, 2}})
      t.knight[s] |= step(s, df, dr);
    for (int df = -1; df <= 1; ++df)
      for (int dr = -1; dr <= 1; ++dr)
        if (df || dr) t.king[s] |= step(s, df, dr);
  }
  for (Square a = 0; a < 64; ++a) {
    for (int df = -1; df <= 1; ++df) {
      for (int dr = -1; dr <= 1; ++dr) {
        if (!df && !dr) continue;
        // Walk the ray from a; every square on it shares the full line.
        Bitboard ray = 0, back = 0;
        for (int f = file_of(a) + df, r = rank_of(a) + dr; f >= 0 && f < 8 && r >= 0 && r < 8; f += df, r += dr)
          ray |= square_bb(make_square(f, r));
        for (int f = file_of(a) - df, r = rank_of(a) - dr; f >= 0 && f < 8 && r >= 0 && r < 8; f -= df, r -= dr)
          back |= square_bb(make_square(f, r));
        Bitboard gap = 0;
        for (int f = file_of(a) + df, r = rank_of(a) + dr; f >= 0 && f < 8 && r >= 0 && r < 8; f += df, r += dr) {
          Square b = make_square(f, r);
          t.between[a][b] = gap;
          t.line[a][b] = ray | back | square_bb(a);
          gap |= square_bb(b);
        }
      }
    }
  }
  return t;
}

}  // namespace

const LeaperTables leapers = build();

}  // namespace tolvane
