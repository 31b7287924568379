#include "driver/console_commands.h"

#include <cstdlib>

#include "driver/interpreter_state.h"
#include "driver/output_channel.h"

// Commands whose collaborators (rules core, dumps, searches) are not linked yet do nothing here.
void run_console_command(GameCore& /*core*/, const char* command, GameState* state) {
  switch (command[0]) {
    case '+':
      if (current_node) current_node->Gute_zuege_bis = static_cast<uint16_t>(current_node->Anz_moegl_zuege);
      break;
    case '2':
      state->board->Fast_mode ^= 1;
      console_pause();
      console_print("\n");
      break;
    case '?':
      // The own move choice and the window draw from this generator, so seeding fixes them too.
      std::srand(15);
      for (int i = 0; i < 19; ++i) console_print("  %d", std::rand());
      break;
    case '@':
      switch_console_input();
      break;
    default:
      break;
  }
}
