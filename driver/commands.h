#pragma once
// The command groups hauptloop dispatches to; each runs on the interpreter's globals.
#include "common/engine_words.h"
#include "driver/game_core.h"

// Texts of the interpreter, used byte for byte.
inline constexpr const char* INVALID_MOVE_TEXT = "Error   1 : Ungueltiger Zug !";
inline constexpr const char* POOL_FULL_TEXT = "Kein freier Speicherplatz !";
// Formatted with ENGINE_PROGRAM_NAME.
inline constexpr const char* ENGINE_ENDED_FORMAT = "Error 5: engine %s has ended";

// Plays entry index of the current node's list, names it the last move and filters the new node's
// moves; the three trace points mark the three steps (game_commands.cpp).
struct PlayTracePoints {
  const char* named;
  const char* played;
  const char* filtered;
};
void play_listed_move(GameCore& core, GameState* state, int16_t index, const PlayTracePoints& trace_points);

// Whether the pool can still take a played move: its node and the legality filter's probe node,
// both with the longest move list. Playing a move without that room would end the program, so a
// long game file or a long game refuses the move instead.
bool room_for_a_move(const GameCore& core);

// Game commands (game_commands.cpp).
void new_game(GameCore& core, GameState* state, char* line);
void base_node_or_step_forward(GameCore& core, GameState* state, const char* text);
void step_back(GameCore& core, GameState* state);
// False when a finished game refused the move (the command then ends without its exit trace).
bool user_move(GameCore& core, GameState* state, const char* text, char* line);
void move_list(GameCore& core, GameState* state, char mode);
void engine_use(const char* argument);
void engine_about(GameCore& core);
void engine_quit();

// Computer moves through the engine (computer_move.cpp).
void engine_exchange(GameCore& core, GameState* state, char level, char* line);
void user_move_and_reply(GameCore& core, GameState* state, const char* text, char* line);
void engine_board_picture(GameCore& core, char* line);

// Engine state kept across commands (engine_state.cpp).
// Starts the engine for a command that may start it; false when the start failed (message issued).
bool start_engine_for_command(GameCore& core, char* line);
// After the engine has been heard from: an engine that has ended is no longer taken as running,
// the command says so, and the next start gives it the whole position.
void note_engine_end(GameCore& core);
