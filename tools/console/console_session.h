#pragma once
// One game driven by text lines, set up and ended the way the window's game document does it.
#include <string>

#include "driver/game_core.h"

struct CommandReply {
  std::string message;
  std::string result;
};

class ConsoleSession {
 public:
  ConsoleSession();

  // A new game: the initial position, then "0", "0", "8", "F1".
  void new_game();
  // One interpreter command.
  CommandReply run(const std::string& command);
  // Exit: the engine is told "quit" and shut down.
  void exit_program();

 private:
  GameState state_;
};
