// Random keys whose xor over a position's features identifies it.
#pragma once

#include "types.h"

namespace tolvane {

struct ZobristKeys {
  Key piece_square[12][64];
  Key castling[16];
  Key en_passant_file[8];
  Key black_to_move;
};
// Built during static initialisation; no other static initialiser may use it.
extern const ZobristKeys zobrist;

}  // namespace tolvane
