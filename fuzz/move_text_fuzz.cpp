// Typed move text on any node of a game: each line is parsed where the game stands; a line that
// names a move plays it, any other plays the listed move its first byte picks, so the game moves on.
#include <cstring>

#include "driver/commands.h"
#include "driver/interpreter_state.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fresh_game(false);
  GameState state{&game_board(), attacked_by_white, attacked_by_black, 0};
  const PlayTracePoints no_trace{"", "", ""};
  for (const std::string& line : input_lines(data, size)) {
    const int16_t count = current_node->Anz_moegl_zuege;
    if (count <= 0) break;
    // Exactly sized copies: a read or write beyond the text or the six-byte echo shows at once.
    char echo[6];
    const int16_t index = game_core.parse_move_text(current_node, line.c_str(), echo);
    require(index >= -1 && index < count, "parse_move_text gave an index outside the list");
    if (index >= 0 && !(line[0] >= '0' && line[0] <= '9'))
      require(memchr(echo, '\0', sizeof echo) != nullptr, "the echo of a found move is unterminated");
    const int16_t played = index >= 0 ? index : static_cast<int16_t>(static_cast<uint8_t>(line[0]) % count);
    play_listed_move(game_core, &state, played, no_trace);
  }
  return 0;
}
