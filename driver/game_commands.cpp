// The commands of a game in progress: new game, stepping through the tree, user moves, the move
// list, and the engine's use, about text and quit.
#include <cstddef>
#include <cstdint>

#include "driver/commands.h"
#include "driver/console_commands.h"
#include "driver/interpreter_state.h"
#include "driver/output_channel.h"
#include "engine/engine_link.h"
#include "rules/rules.h"

bool room_for_a_move(const GameCore& core) {
  constexpr ptrdiff_t LONGEST_NODE = sizeof(PositionNode) + 256 * sizeof(MoveEntry);
  return core.Pool_end - core.Pool_free >= 4 * LONGEST_NODE;
}

void play_listed_move(GameCore& core, GameState* state, int16_t index, const PlayTracePoints& trace_points) {
  trace_write(trace_points.named);
  core.set_last_move_text(index, current_node);
  trace_write(trace_points.played);
  current_node = PlayMove(current_node, &core, state->board, index);
  trace_write(trace_points.filtered);
  FilterLegalMoves(current_node, &core, state->board);
}

void new_game(GameCore& core, GameState* /*state*/, char* line) {
  current_node = nullptr;
  ResetPool(&core, &core.pool);
  engine_link.send_line("ping 1");
  engine_link.read_greeting(line, ENGINE_LINE_SIZE, result_text);
  result_text[0] = '\0';
  // A user move of the old game must not be sent to the engine as the first move of the new one,
  // nor a manual move of it be taken back on the new board.
  user_moves = 0;
  manual_move_on_board = false;
  // A running engine is told "new"; one started later begins at the initial position anyway.
  engine_knows_game = true;
  if (engine_status == 0) {
    trace_write("hauptloop new");
    engine_link.send_line("new");
    engine_link.synchronize();
    note_engine_end(core);
  }
}

void base_node_or_step_forward(GameCore& core, GameState* state, const char* text) {
  core.set_last_move("root");
  if (current_node == nullptr) {
    current_node = PlayMove(nullptr, &core, state->board, 0);
  } else {
    const int16_t index = core.parse_move_text_no_echo(current_node, text);
    if (index >= 0) current_node = PlayMove(current_node, &core, state->board, index);
  }
  core.print_board(state->board);
  console_print(" \n");
}

void step_back(GameCore& core, GameState* state) {
  if (current_node == nullptr) return;
  current_node = TakeBack(current_node, state->board);
  // The engine still holds the later position; the next exchange must give it the whole game.
  engine_knows_game = false;
  console_print("\n Momentaner Zeiger : %lx \n \n", reinterpret_cast<unsigned long>(current_node));
  core.print_board(state->board);
  console_print("\n \n");
  console_pause();
}

bool user_move(GameCore& core, GameState* state, const char* text, char* line) {
  trace_write("hauptloop B");
  if (result_text[0] != '\0') {
    core.message("%s", result_text);  // a finished game accepts no move
    return false;
  }
  move_index = current_node ? core.parse_move_text(current_node, text, engine_command_text) : -1;
  if (move_index >= 0 && !room_for_a_move(core)) {
    core.message("\n%s\n", POOL_FULL_TEXT);
    return true;
  }
  if (move_index >= 0) {
    play_listed_move(core, state, move_index, {"hauptloop b1", "hauptloop b2", "hauptloop b3"});
    ++user_moves;
    return true;
  }
  trace_write("hauptloop b4");
  if (current_node && current_node->Anz_moegl_zuege == 0 && engine_status == 0) {
    // The side to move has no move: a result line the engine may still send ends the game.
    engine_link.send_line("ping 33");
    trace_write("hauptloop b5");
    engine_link.wait_for_reply(line, ENGINE_LINE_SIZE, result_text, 33);
    note_engine_end(core);
  }
  trace_write("hauptloop b6");
  core.message("\n%s\n", INVALID_MOVE_TEXT);
  return true;
}

void move_list(GameCore& core, GameState* state, char mode) {
  // A finished game lists no moves.
  if (result_text[0] != '\0' && current_node) current_node->Anz_moegl_zuege = 0;
  switch (mode) {
    case 'f':
      if (result_text[0] != '\0') core.message("%s", result_text);
      if (current_node) core.list_move('f', current_node);
      break;
    case 'n':
      if (current_node) core.list_move('n', current_node);
      break;
    case 'l':
      core.show_last_move();
      break;
    default:
      core.print_board(state->board);
      break;
  }
}

void engine_use(const char* argument) { use_engine = argument[0] == '0' ? 0 : 1; }

void engine_about(GameCore& core) { core.message("%s", engine_link.about_text); }

void engine_quit() {
  if (engine_status == 0) engine_link.send_line("quit");
}
