#include "tools/console/console_session.h"

#include "driver/interpreter_state.h"
#include "engine/engine_link.h"
#include "rules/rules.h"

ConsoleSession::ConsoleSession() : state_{&game_board(), attacked_by_white, attacked_by_black, 0} {
  new_game();
}

void ConsoleSession::new_game() {
  ResetPool(&game_core, &game_core.pool);
  SetInitialPosition();
  for (const char* command : {"0", "0", "8", "F1"}) run_command(command, &state_);
}

CommandReply ConsoleSession::run(const std::string& command) {
  const char* result = nullptr;
  const char* message = game_core.hauptloop(command.c_str(), &state_, &result);
  return {message, result};
}

void ConsoleSession::exit_program() {
  run_command("X", &state_);
  engine_link.shut_down();
}
