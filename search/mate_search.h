#pragma once
// The search for a forced mate by the side to move, and its iterative deepening.
#include <cstdint>

#include "driver/game_core.h"
#include "rules/records.h"

// Depth of the deepening's current iteration: 1, 3, ... 19.
extern int16_t mate_depth;
// Positions entered by such_matt_abs, counted up from program start.
extern uint64_t mate_search_nodes;
// When set, called at every position the search enters; it may set the state's abort_flag.
extern void (*mate_search_watch)(GameState* state);

// 1 when the attacker (the side to move in node when defender is 0) mates within depth plies.
// Child positions are built from work up to end; the pool cursor is not moved and the board is
// as before on return. Every visited node's Bester_zug holds the index of the last move searched,
// so at the root after a mate the index of the mating first move. Illegal moves are passed over.
uint8_t such_matt_abs(PositionNode* node, uint8_t* work, uint8_t* end, GameState* state, uint8_t defender,
                      int16_t depth);

// Depths 1, 3, ... 19 until a mate is found or abort_flag is set; the result of the last iteration.
uint8_t search_mate_by_deepening(PositionNode* node, PoolCursor* cursor, GameState* state);
