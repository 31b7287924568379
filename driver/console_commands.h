#pragma once
// The console and diagnostic commands the window never sends: '$', byte 0x9C, '+', '1', 'S', 's',
// '2', '3', '5', '6', '7', '?', '@'.
#include <cstdint>

#include "driver/game_core.h"

// The squares of the last manual move (command '6') and what it or its take-back ('7') returned.
extern int32_t manual_from;
extern int32_t manual_to;
extern int8_t manual_captured;

// Runs one of those commands on the interpreter's globals; hauptloop dispatches them here.
// '$' may be followed by a level '1', '2' or '3', and then by 'p' to play the chosen move.
void run_console_command(GameCore& core, const char* command, GameState* state);
