#pragma once
// Counts the leaf positions of the legal move tree to a fixed depth, with the rules core's own
// generator, filter and tree operations.
#include <cstdint>

#include "rules/rules.h"

// node stands for the position on board; its list is filtered to legal moves first. The pool and the
// board are as before on return. Runs in Fast_mode, so nothing is linked into the tree.
uint64_t perft(PositionNode* node, PoolCursor* cursor, Board* board, int depth);
