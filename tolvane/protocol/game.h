// One game as the engine knows it: the current position with every earlier
// one on its undo stack (for repetitions and take-backs), and how it ended.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "board/position.h"

namespace tolvane {

class Game {
 public:
  Game() : pos_(Position::start()) {}

  void reset() { set_position(Position::start()); }
  void set_position(const Position& pos) {
    pos_ = pos;
    moves_.clear();
  }
  const Position& position() const { return pos_; }
  void play(Move m) {
    pos_.make(m);
    moves_.push_back(m);
  }
  // Takes back the last move; false when there is none.
  bool take_back();
  int moves_played() const { return int(moves_.size()); }

  // The result line when the game is over: "1-0 {White mates}",
  // "0-1 {Black mates}", "1/2-1/2 {Stalemate}", "1/2-1/2 {Draw by repetition}"
  // (the third occurrence), "1/2-1/2 {Fifty move rule}" or
  // "1/2-1/2 {Insufficient material}".
  std::optional<std::string> result() const;

 private:
  Position pos_;
  std::vector<Move> moves_;
};

}  // namespace tolvane
