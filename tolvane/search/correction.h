// What the search has learnt of the static evaluation's misses: a pawn
// structure the evaluation misjudged a few times in one game is likely
// misjudged again, so its average miss corrects the evaluation.
#pragma once

#include <cstdint>

#include "board/position.h"

namespace tolvane {

class CorrectionHistory {
 public:
  // The evaluation corrected by the average miss of the position's side to move and pawns.
  int corrected(const Position& pos, int eval) const { return eval + slot(pos) / Grain; }
  // A search of `depth` plies scored the position `miss` centipawns above (or,
  // negative, below) its uncorrected evaluation: deeper searches weigh more.
  void update(const Position& pos, int depth, int miss);
  void clear();

 private:
  static constexpr int Size = 1 << 14;  // a power of two
  static constexpr int Grain = 256;     // stored in 1/Grain centipawns
  static constexpr int MaxCorrection = 150;
  static constexpr int WeightScale = 256;
  static constexpr int MaxWeight = 16;

  int& slot(const Position& pos) { return table_[pos.side_to_move()][pos.pawn_key() & (Size - 1)]; }
  int slot(const Position& pos) const { return table_[pos.side_to_move()][pos.pawn_key() & (Size - 1)]; }

  int table_[2][Size] = {};
};

}  // namespace tolvane
