#pragma once
// Check and legality tests straight on the board, without building nodes in the pool.
#include "rules/records.h"

// True when a piece of the given colour (0 White, BLACK) attacks square.
bool square_attacked(const Board& board, Square square, Piece by_colour);
// True when the king of the side to move in node stands attacked; a side without a king is never in check.
bool side_to_move_in_check(const Board& board, const PositionNode* node);
// True when entry index of node's list does not leave the mover's king attacked; castling also
// needs the king out of check and its passing square unattacked. The board is as before on return.
bool is_legal_move(Board* board, PositionNode* node, int16_t index);
// True when some entry of node's list is legal.
bool has_legal_move(Board* board, PositionNode* node);
