// The computer's moves through the engine: the exchange for "c", the user move with the engine's
// reply for "Z", and the engine's board picture for "Y".
#include <cstdio>
#include <cstring>

#include "common/bounded_text.h"
#include "common/engine_words.h"
#include "driver/commands.h"
#include "driver/interpreter_state.h"
#include "driver/output_channel.h"
#include "engine/engine_link.h"
#include "notation/position_text.h"
#include "rules/rules.h"

namespace {

constexpr int EXCHANGE_TEXT_SIZE = 1000;
constexpr int BOARD_PICTURE_SIZE = 900;
constexpr int BOARD_PICTURE_LINES = 9;

// The strength line, then the level line, of level '1' to '4'; other characters send nothing.
void send_level(char level) {
  if (level < '1' || level >= '1' + LEVEL_COUNT) return;
  const LevelLines& lines = LEVEL_LINES[level - '1'];
  engine_link.send_line(lines.strength);
  engine_link.send_line(lines.level);
}

// Tells the engine the game: the user's one move when it knows the game up to it, else the
// whole position; then waits for its reply in line.
void tell_engine_and_wait(GameState* state, char* line) {
  if (user_moves == 1 && engine_knows_game) {
    user_moves = 0;
    engine_link.send_line("ping 1");
    engine_link.send_line("post");
    engine_link.send_line(engine_command_text);
    trace_write("hauptloop move");
    engine_link.wait_for_reply(line, ENGINE_LINE_SIZE, result_text);
    trace_write("hauptloop ... move");
    engine_link.send_line("nopost");
    return;
  }
  char text[EXCHANGE_TEXT_SIZE];
  position_text(state->board, text, current_node);
  snprintf(engine_command_text, sizeof engine_command_text, "setboard %.380s", text);  // a position text is under 100 characters
  user_moves = 0;
  engine_link.send_line(engine_command_text);
  engine_link.send_line("go");
  engine_knows_game = true;
  engine_link.wait_for_reply(line, ENGINE_LINE_SIZE, result_text);
}

// True when the reply named a move of the current node and it was played.
bool play_engine_reply(GameCore& core, GameState* state, const char* line) {
  trace_write("hauptloop ?");
  char first[ENGINE_LINE_SIZE] = "";
  char second[ENGINE_LINE_SIZE] = "";
  // A single word is taken as the move text as well.
  const int words = sscanf(line, "%499s %499s", first, second);
  if (words == 1) memcpy(second, first, sizeof second);
  move_index = words >= 1 ? core.parse_move_text_no_echo(current_node, second) : -1;
  if (move_index >= 0 && !room_for_a_move(core)) {
    core.message("\n%s\n", POOL_FULL_TEXT);
    return false;
  }
  if (move_index >= 0) {
    play_listed_move(core, state, move_index, {"hauptloop 1", "hauptloop 2", "hauptloop 3"});
    return true;
  }
  // A refusal of the user's move takes it back.
  if (strncmp(line, "Engine", 6) == 0 || strcmp(line, "error") == 0)
    current_node = TakeBack(current_node, state->board);
  trace_write("hauptloop kkk");
  core.message("%s%s", " Engine: \n \n", line);
  trace_write("hauptloop iii");
  return false;
}

}  // namespace

void engine_exchange(GameCore& core, GameState* state, char level, char* line) {
  trace_write("hauptloop C");
  if (engine_status != 0 || result_text[0] != '\0' || current_node == nullptr) return;
  send_level(level);
  tell_engine_and_wait(state, line);
  note_engine_end(core);
  if (engine_status == 0 && play_engine_reply(core, state, line)) {
    // A move that ends the game is followed by the engine's result line: read up to a ping's
    // answer, so that the end is known now rather than at the user's next attempt.
    engine_link.synchronize(result_text);
    note_engine_end(core);
  }
  trace_write("hauptloop !!!?");
  user_moves = 0;
}

void user_move_and_reply(GameCore& core, GameState* state, const char* text, char* line) {
  trace_write("hauptloop Z");
  if (text[0] == '#' || current_node == nullptr) return;
  move_index = core.parse_move_text(current_node, text, engine_command_text);
  user_moves = 0;
  if (move_index >= 0 && !room_for_a_move(core)) {
    core.message("\n%s\n", POOL_FULL_TEXT);
    return;
  }
  if (move_index >= 0) {
    core.set_last_move_text(move_index, current_node);
    current_node = PlayMove(current_node, &core, state->board, move_index);
    user_moves = 1;
  } else {
    if (current_node->Anz_moegl_zuege == 0 && engine_status == 0) {
      engine_link.send_line("a2a1");
      engine_link.wait_for_reply(line, ENGINE_LINE_SIZE, result_text);
      note_engine_end(core);
    }
    core.message("\n%s\n", INVALID_MOVE_TEXT);
  }
  if (user_moves != 0) engine_exchange(core, state, text[0], line);
}

void engine_board_picture(GameCore& core, char* line) {
  engine_link.send_line("showboard");
  char picture[BOARD_PICTURE_SIZE] = "";
  for (int i = 0; i < BOARD_PICTURE_LINES; ++i) {
    engine_link.read_greeting(line, ENGINE_LINE_SIZE, result_text);
    // Lines that no longer fit are cut at the end of the picture.
    append_text(picture, sizeof picture, line);
  }
  note_engine_end(core);
  core.message("%s", picture);
}
