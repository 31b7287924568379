#include "protocol/game.h"

#include "board/movegen.h"

namespace tolvane {

bool Game::take_back() {
  if (moves_.empty()) return false;
  pos_.unmake(moves_.back());
  moves_.pop_back();
  return true;
}

std::optional<std::string> Game::result() const {
  if (legal_moves(pos_).empty()) {
    if (!pos_.in_check()) return "1/2-1/2 {Stalemate}";
    return pos_.side_to_move() == White ? "0-1 {Black mates}" : "1-0 {White mates}";
  }
  if (pos_.repeated(2)) return "1/2-1/2 {Draw by repetition}";
  if (pos_.halfmove_clock() >= 100) return "1/2-1/2 {Fifty move rule}";
  if (pos_.insufficient_material()) return "1/2-1/2 {Insufficient material}";
  return std::nullopt;
}

}  // namespace tolvane
