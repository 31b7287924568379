// Static evaluation: a tapered sum of middle-game and end-game terms
// (material, piece-square tables, mobility, pawn structure, passed pawns,
// king safety), blended by the material left on the board.
#pragma once

#include <cstdint>
#include <vector>

#include "board/position.h"

namespace tolvane {

// Pawn-structure terms depend only on the pawns (and kings, for the shield),
// so they are cached by the position's pawn key.
class PawnCache {
 public:
  struct Entry {
    Key key = 0;
    int mg = 0;
    int eg = 0;
    Bitboard passed = 0;
  };
  PawnCache() : entries_(1 << 14) {}
  Entry& slot(Key key) { return entries_[key & (entries_.size() - 1)]; }

 private:
  std::vector<Entry> entries_;
};

// Centipawns from the side to move's point of view.
int evaluate(const Position& pos, PawnCache& cache);

// Material of the side's pieces other than pawns and king, for null-move and
// draw decisions.
int non_pawn_material(const Position& pos, Color c);

}  // namespace tolvane
