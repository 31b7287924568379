#pragma once
// GameCore: the pool, the command's message and the last-move text, and hauptloop on top.
#include <cstdint>
#include "rules/records.h"

struct GameState {
  Board* board;
  int16_t* attacked_by_white;  // 64 counts
  int16_t* attacked_by_black;  // 64 counts
  int32_t abort_flag;
};

constexpr int MESSAGE_BUFFER_SIZE = 120;
constexpr int LAST_MOVE_TEXT_SIZE = 16;

class GameCore : public PoolCursor {
 public:
  NodePool pool;
  char message_buffer[MESSAGE_BUFFER_SIZE];
  char last_move_text[LAST_MOVE_TEXT_SIZE];

  // The single entry point of the game logic.
  const char* hauptloop(const char* command, GameState* state, const char** result_out);

  // Output channel.
  void clear_message();
  const char* get_message() const;
  void message(const char* format, ...) __attribute__((format(printf, 2, 3)));
  void set_last_move(const char* text);
  void show_last_move();

  // Move text services. The entry the text names, or -1; echo (6 bytes at least) then receives
  // that entry in the engine's notation and is left alone when the text names none.
  int16_t parse_move_text(PositionNode* node, const char* text, char* echo);
  int16_t parse_move_text_no_echo(PositionNode* node, const char* text);
  void set_last_move_text(int16_t index, PositionNode* node);
  void list_move(char mode, PositionNode* node);

  // Diagnostic dumps (console channel).
  void dump_board(const Board* board);
  void print_board(const Board* board);
  void print_board_with_attacks(const Board* board, const int16_t* attacked_by_white,
                                const int16_t* attacked_by_black);
  void print_repeated(int count, char character);
  void dump_node(PositionNode* node);
};

// The one GameCore of the program (6.5 MB, so it is static, never on a stack).
extern GameCore game_core;
// Calls hauptloop with a fixed slot for the result text address.
const char* run_command(const char* command, GameState* state);
