#include "protocol/game.h"

#include "board/movegen.h"
#include "common/engine_words.h"

namespace tolvane {

bool Game::take_back() {
  if (moves_.empty()) return false;
  pos_.unmake(moves_.back());
  moves_.pop_back();
  return true;
}

std::optional<std::string> Game::result() const {
  if (legal_moves(pos_).empty()) {
    if (!pos_.in_check()) return DRAW_BY_STALEMATE;
    return pos_.side_to_move() == White ? BLACK_MATES : WHITE_MATES;
  }
  if (pos_.repeated(2)) return DRAW_BY_REPETITION;
  if (pos_.halfmove_clock() >= 100) return DRAW_BY_FIFTY_MOVES;
  if (pos_.insufficient_material()) return DRAW_BY_MATERIAL;
  return std::nullopt;
}

}  // namespace tolvane
