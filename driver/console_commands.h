#pragma once
// The console and diagnostic commands the window never sends: '$', byte 0x9C, '+', '1', 'S', 's',
// '2', '3', '5', '6', '7', '?', '@'.
#include "driver/game_core.h"

// Runs one of those commands on the interpreter's globals; hauptloop dispatches them here.
void run_console_command(GameCore& core, const char* command, GameState* state);
