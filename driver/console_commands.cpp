#include "driver/console_commands.h"

#include <cstdio>
#include <cstdlib>

#include "driver/interpreter_state.h"
#include "driver/output_channel.h"
#include "rules/rules.h"
#include "search/material_choice.h"
#include "search/mate_search.h"

int32_t manual_from = 0;
int32_t manual_to = 0;
int8_t manual_captured = 0;
bool manual_move_on_board = false;

namespace {

constexpr char CONSOLE_COMMANDS[] = {'$', MATE_SEARCH_COMMAND, '+', '1', 'S', 's', '2', '3', '5', '6', '7', '?', '@'};
constexpr char PLAY_CHOICE = 'p';

struct SearchLevel {
  int16_t depth;
  int16_t full_width;
};

SearchLevel level_of(char level) {
  switch (level) {
    case '2': return {1, 3};
    case '3': return {2, 12};
    default: return {0, 0};
  }
}

// The own move choice on a fresh base node; the chosen move stays in its Bester_zug and is played
// only when asked for.
void own_move_choice(GameCore& core, GameState* state, const char* argument) {
  if (current_node == nullptr) return;
  const char level = argument[0];
  const bool play = level == PLAY_CHOICE || (level != '\0' && argument[1] == PLAY_CHOICE);
  Board* board = state->board;

  console_print("%s", " Computer denkt .");
  ResetPool(&core, &core.pool);
  current_node = NewBaseFromNode(current_node, &core);
  RecountMaterial(current_node, board);
  // Only legal moves, as for every other position of the game: no move then means mate or stalemate.
  FilterLegalMoves(current_node, &core, board);

  const int16_t n = current_node->Anz_moegl_zuege;
  if (n <= 0) {
    core.message(" \n Computer hat keinen Zug mehr: MATT oder PATT ! \n ");
    core.set_last_move("#");
  } else if (n == 1) {
    current_node->Bester_zug = 0;
  } else {
    current_node->Bester_zug = -1;
    current_node->Gute_zuege_bis = static_cast<uint16_t>(n);
    if (level == '1') current_node->Bester_zug = 0;
    const SearchLevel search = level_of(level);
    choose_computer_move(current_node, &core, board, search.depth, search.full_width);
  }

  if (play && n > 0) {
    const int16_t chosen = current_node->Bester_zug;
    core.set_last_move_text(chosen, current_node);
    current_node = PlayMove(current_node, &core, board, chosen);
    FilterLegalMoves(current_node, &core, board);
    // The engine has not seen this move: its next exchange gets the whole position.
    engine_knows_game = false;
  }

  console_print("\n");
  core.print_board(board);
  console_print("\n");
}

// A square read from standard input as a decimal number; false when nothing could be read.
bool read_square(int32_t* square) {
  char line[80];
  if (read_console_line(line, sizeof line) == 0) return false;
  return sscanf(line, "%d", square) == 1;
}

bool on_board(int32_t square) { return square >= 0 && square < 64; }

// Moving a piece onto its own square or off the board would lose it, so such a move does nothing.
bool manual_move_possible() {
  if (on_board(manual_from) && on_board(manual_to) && manual_from != manual_to) return true;
  console_print(" Kein Zug von %d nach %d \n", manual_from, manual_to);
  return false;
}

void manual_move_end(GameCore& core, GameState* state) {
  console_print("  \n");
  console_print(" Alte Figur %d : ", manual_captured);
  core.print_board(state->board);
  console_pause();
}

void manual_move(GameCore& core, GameState* state) {
  core.print_board(state->board);
  console_print("  \n");
  console_print("Figur wird gezogen von : ");
  const int32_t previous_from = manual_from, previous_to = manual_to;
  read_square(&manual_from);
  console_print("                  nach : ");
  read_square(&manual_to);
  if (manual_move_possible()) {
    manual_captured = static_cast<int8_t>(
        MovePiece(static_cast<Square>(manual_from), static_cast<Square>(manual_to), state->board));
    manual_move_on_board = true;
  } else {
    // The take-back must not undo a move that was never made.
    manual_from = previous_from;
    manual_to = previous_to;
  }
  manual_move_end(core, state);
}

void manual_take_back(GameCore& core, GameState* state) {
  core.print_board(state->board);
  console_print("  \n");
  console_print(" Alte Figur %d : ", manual_captured);
  console_print("Figur wird zur\x81" "ckgezogen von : %d \n", manual_to);
  console_print("                        nach : %d \n", manual_from);
  // A second take-back, or one after a refused move, would move pieces the user never moved.
  if (manual_move_on_board) {
    manual_move_on_board = false;
    manual_captured = static_cast<int8_t>(ReturnPiece(static_cast<Square>(manual_to), static_cast<Square>(manual_from),
                                                      static_cast<Piece>(manual_captured), state->board));
  } else {
    console_print(" Kein Zug zur\x81" "ckzunehmen \n");
  }
  manual_move_end(core, state);
}

}  // namespace

bool is_console_command(char command) {
  for (char console_command : CONSOLE_COMMANDS)
    if (command == console_command) return true;
  return false;
}

void run_console_command(GameCore& core, const char* command, GameState* state) {
  Board* board = state->board;
  switch (command[0]) {
    case '$':
      own_move_choice(core, state, command + 1);
      break;
    case MATE_SEARCH_COMMAND:
      if (current_node != nullptr) search_mate_by_deepening(current_node, &core, state);
      break;
    case '+':
      if (current_node) current_node->Gute_zuege_bis = static_cast<uint16_t>(current_node->Anz_moegl_zuege);
      break;
    case '1':
    case 'S':
    case 's':
      core.print_board(board);
      console_print("\n");
      console_pause();
      console_print("\n");
      break;
    case '2':
      board->Fast_mode ^= 1;
      core.dump_board(board);
      console_pause();
      console_print("\n");
      break;
    case '3':
      core.print_board_with_attacks(board, state->attacked_by_white, state->attacked_by_black);
      console_print(" \n");
      console_pause();
      break;
    case '5':
      core.print_board(board);
      if (current_node != nullptr) core.dump_node(current_node);
      console_pause();
      break;
    case '6':
      manual_move(core, state);
      break;
    case '7':
      manual_take_back(core, state);
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
