#pragma once
// The console and diagnostic commands the window never sends.
#include <cstdint>

#include "driver/game_core.h"

// The mate search's command byte, outside the ASCII range.
inline constexpr char MATE_SEARCH_COMMAND = static_cast<char>(0x9C);

// Whether command is one of the console commands: '$', MATE_SEARCH_COMMAND, '+', '1', 'S', 's', '2',
// '3', '5', '6', '7', '?', '@'.
bool is_console_command(char command);

// The squares of the last manual move (command '6') and what it or its take-back ('7') returned.
extern int32_t manual_from;
extern int32_t manual_to;
extern int8_t manual_captured;
// True from a manual move until its take-back: only then has '7' a move to take back.
extern bool manual_move_on_board;

// Runs one of those commands on the interpreter's globals; hauptloop dispatches them here.
// '$' may be followed by a level '1', '2' or '3', and then by 'p' to play the chosen move.
void run_console_command(GameCore& core, const char* command, GameState* state);
