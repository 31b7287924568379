#pragma once
// One game: the texts of its moves and the state passed with every command.
#include <cstdint>
#include <string>
#include <vector>

#include "driver/game_core.h"

class GameDocument {
 public:
  // Empties the node pool, sets up the initial position and starts a new game in the interpreter.
  GameDocument();

  // Fetches the text of the move just played and appends it to the record.
  void RecordLastMove();

  int32_t move_count = 0;
  std::vector<std::string> move_record;  // one text per move, in the order played
  GameState state;
};
