// A fixed-capacity move list: no allocation inside the search.
#pragma once

#include <algorithm>
#include <cstddef>

#include "types.h"

namespace tolvane {

class MoveList {
 public:
  static constexpr std::size_t Capacity = 256;  // above the 218 of any legal position

  void push(Move m) { moves_[size_++] = m; }
  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  Move operator[](std::size_t i) const { return moves_[i]; }
  Move& operator[](std::size_t i) { return moves_[i]; }
  const Move* begin() const { return moves_; }
  const Move* end() const { return moves_ + size_; }
  Move* begin() { return moves_; }
  Move* end() { return moves_ + size_; }
  bool contains(Move m) const { return std::find(begin(), end(), m) != end(); }

 private:
  Move moves_[Capacity];
  std::size_t size_ = 0;
};

}  // namespace tolvane
