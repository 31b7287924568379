// Square tables of the evaluation, built once: the masks the pawn and piece
// terms look through.
#pragma once

#include <algorithm>
#include <cstdlib>

#include "board/bitboard.h"
#include "search/eval_params.h"

namespace tolvane {

struct EvalTables {
  Bitboard passed_mask[2][64];    // files ahead of a pawn where enemy pawns could stop it
  Bitboard forward_file[2][64];   // squares ahead on the pawn's own file
  Bitboard adjacent_files[8];
  Bitboard king_zone[2][64];      // the king's squares and the rank in front of them
};

const EvalTables& eval_tables();

inline Square relative_square(Color c, Square s) { return c == White ? s : s ^ 56; }
inline int relative_rank(Color c, Square s) { return c == White ? rank_of(s) : 7 - rank_of(s); }
inline int distance(Square a, Square b) {
  return std::max(std::abs(file_of(a) - file_of(b)), std::abs(rank_of(a) - rank_of(b)));
}
inline Square forward(Color c, Square s) { return s + (c == White ? 8 : -8); }

}  // namespace tolvane
