// Bitboard helpers and the fixed attack tables of the leaping pieces.
#pragma once

#include <bit>

#include "types.h"

namespace tolvane {

constexpr Bitboard FileA = 0x0101010101010101ULL;
constexpr Bitboard FileH = FileA << 7;
constexpr Bitboard Rank1 = 0xFFULL;
constexpr Bitboard Rank8 = Rank1 << 56;
constexpr Bitboard file_bb(int f) { return FileA << f; }
constexpr Bitboard rank_bb(int r) { return Rank1 << (8 * r); }
constexpr Bitboard square_bb(Square s) { return 1ULL << s; }

inline int popcount(Bitboard b) { return std::popcount(b); }
inline Square lsb(Bitboard b) { return std::countr_zero(b); }
inline Square pop_lsb(Bitboard& b) {
  Square s = lsb(b);
  b &= b - 1;
  return s;
}
constexpr bool more_than_one(Bitboard b) { return (b & (b - 1)) != 0; }

constexpr Bitboard shift_forward(Color c, Bitboard b) { return c == White ? b << 8 : b >> 8; }
constexpr Bitboard pawn_attacks_bb(Color c, Bitboard pawns) {
  return c == White ? ((pawns & ~FileA) << 7) | ((pawns & ~FileH) << 9)
                    : ((pawns & ~FileA) >> 9) | ((pawns & ~FileH) >> 7);
}

struct LeaperTables {
  Bitboard pawn[2][64];
  Bitboard knight[64];
  Bitboard king[64];
  Bitboard between[64][64];  // squares strictly between two aligned squares
  Bitboard line[64][64];     // the whole line through two aligned squares, else 0
};
// Built during static initialisation; no other static initialiser may use it.
extern const LeaperTables leapers;

inline Bitboard pawn_attacks(Color c, Square s) { return leapers.pawn[c][s]; }
inline Bitboard knight_attacks(Square s) { return leapers.knight[s]; }
inline Bitboard king_attacks(Square s) { return leapers.king[s]; }
inline Bitboard between(Square a, Square b) { return leapers.between[a][b]; }
inline Bitboard line_through(Square a, Square b) { return leapers.line[a][b]; }

}  // namespace tolvane
