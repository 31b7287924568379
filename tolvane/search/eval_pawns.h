// Pawn structure, king shelter and passed pawns.
#pragma once

#include <vector>

#include "board/position.h"
#include "search/eval_params.h"

namespace tolvane {

// Pawn-structure terms depend only on the pawns and kings (the shelter), so
// they are cached by the position's pawn key. A cache holds values of one set
// of weights only.
class PawnCache {
 public:
  struct Entry {
    Key key = 0;
    Pair score;  // White's minus Black's
    Bitboard passed = 0;
  };
  explicit PawnCache(std::size_t entries = 1 << 14) : entries_(entries) {}  // a power of two
  Entry& slot(Key key) { return entries_[key & (entries_.size() - 1)]; }
  void clear() { std::fill(entries_.begin(), entries_.end(), Entry{}); }

 private:
  std::vector<Entry> entries_;
};

// The cached structure terms of the position, filling the entry if needed.
const PawnCache::Entry& pawn_structure(const Position& pos, PawnCache& cache, const EvalParams& w);

// Passed pawns of one side: rank, free path and the kings' distances, and a
// pawn the lone enemy king cannot catch.
Pair passed_pawns(const Position& pos, Color us, Bitboard passed, const EvalParams& w);

}  // namespace tolvane
