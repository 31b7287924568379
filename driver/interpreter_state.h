#pragma once
// The command interpreter's globals: one of each for the whole run.
#include <cstdint>
#include "rules/records.h"

constexpr int RESULT_TEXT_SIZE = 500;
constexpr int ENGINE_COMMAND_TEXT_SIZE = 400;
constexpr int ENGINE_LINE_SIZE = 500;
// engine_status of an engine never started or ended since.
constexpr int32_t ENGINE_NOT_RUNNING = 99;

extern PositionNode* current_node;
extern int16_t move_index;
extern int32_t user_moves;
extern int32_t engine_status;   // 0 running, ENGINE_NOT_RUNNING, else the last start failure
extern int32_t use_engine;
extern char result_text[RESULT_TEXT_SIZE];
extern char engine_command_text[ENGINE_COMMAND_TEXT_SIZE];
// True while the engine knows the game up to the user's last move: from a new game or a whole
// position sent, until it ends or a move is taken back.
extern bool engine_knows_game;

// The two attack tables the game document points its GameState at.
extern int16_t attacked_by_white[64];
extern int16_t attacked_by_black[64];
