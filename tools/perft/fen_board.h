#pragma once
// Puts a position given in Forsyth-Edwards notation on a board and builds the matching base node.
#include <string>

#include "rules/rules.h"

// Fills the 64 squares of board from fen's placement and returns, in header, the fields a base node
// takes from it: side to move with the move number, castling rights, and an en passant square as the
// double step that made it. Returns false (board untouched) on a malformed text.
bool board_from_fen(const std::string& fen, Board* board, PositionNode* header);

// board_from_fen on the game board, then a base node for it at the cursor's free address, with its
// material counted. nullptr on a malformed text or a full pool.
PositionNode* base_node_from_fen(const std::string& fen, PoolCursor* cursor);
