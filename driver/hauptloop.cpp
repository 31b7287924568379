// The single entry point of the game logic: engine start, then dispatch on the first character.
#include <cstdint>

#include "driver/commands.h"
#include "driver/console_commands.h"
#include "driver/interpreter_state.h"
#include "driver/output_channel.h"

namespace {

bool may_start_engine(char command) {
  return command == 'V' || command == 'v' || command == 'C' || command == 'c';
}

// Runs the command after its first character; false when the command ended without its exit trace.
bool dispatch(GameCore& core, const char* command, GameState* state, char* line) {
  const char* argument = command + 1;
  if (is_console_command(command[0])) {
    run_console_command(core, command, state);
    return true;
  }
  switch (command[0]) {
    case '0':
      new_game(core, state, line);
      break;
    case '4':
    case 'L':
    case 'l':
      move_list(core, state, argument[0]);
      break;
    case '8':
      base_node_or_step_forward(core, state, argument);
      break;
    case '9':
      step_back(core, state);
      break;
    case 'B':
    case 'b':
      return user_move(core, state, argument, line);
    case 'C':
    case 'c':
      engine_exchange(core, state, argument[0], line);
      break;
    case 'F':
    case 'f':
      engine_use(argument);
      break;
    case 'V':
    case 'v':
      engine_about(core);
      break;
    case 'X':
      engine_quit();
      break;
    case 'Y':
      engine_board_picture(core, line);
      break;
    case 'Z':
    case 'z':
      user_move_and_reply(core, state, argument, line);
      break;
    default:
      break;
  }
  return true;
}

const char* result_slot = nullptr;

}  // namespace

const char* GameCore::hauptloop(const char* command, GameState* state, const char** result_out) {
  trace_write("hauptloop");
  char line[ENGINE_LINE_SIZE] = "";
  *result_out = result_text;
  clear_message();

  if (engine_status != 0 && use_engine == 1 && may_start_engine(command[0]) &&
      !start_engine_for_command(*this, line))
    return message_buffer;

  if (dispatch(*this, command, state, line)) trace_write("hauptloopexit");
  return message_buffer;
}

const char* run_command(const char* command, GameState* state) {
  return game_core.hauptloop(command, state, &result_slot);
}
