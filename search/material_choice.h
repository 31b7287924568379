#pragma once
// The program's own move choice: material counting with a short full-width search followed by a
// search of recaptures on one square.
#include <cstdint>

#include "rules/records.h"

// Plays entry index of node, rates the outcome by material (White minus Black) searching depth - 1
// further plies, the first full_width - 1 of them with every move and the rest with recaptures on
// the square of the last move only, and takes the move back. The pool space used is given back.
int16_t material_search(PositionNode* node, PoolCursor* game, Board* board, int16_t depth, int16_t full_width,
                        int16_t index);

// Writes the chosen move into node's Bester_zug: one of at most two moves that keep the mover's
// material at least level and best, the one after which the mover has more moves, on a tie one
// at random.
// The first move of the list when no move keeps the material level.
void choose_computer_move(PositionNode* node, PoolCursor* game, Board* board, int16_t depth, int16_t full_width);
