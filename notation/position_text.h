#pragma once
// The one-line position text sent to the engine with "setboard".
#include "rules/records.h"

// Minimum size of the caller's buffer for position_text.
constexpr int POSITION_TEXT_SIZE = 100;

// Writes placement, side to move, castling rights, en passant square, a zero half-move clock and
// the full-move number into text (at least POSITION_TEXT_SIZE bytes).
void position_text(const Board* board, char* text, const PositionNode* node);
