#pragma once
// The rules core: move generation, making moves, the position tree and the legality filter.
#include "rules/records.h"

// Move generation (pseudo-legal, fixed order) into the pool behind node's header.
// Returns the address after the last kept entry, or nullptr when an entry did not fit below limit.
uint8_t* GenerateMoves(PositionNode* parent, PositionNode* node, uint8_t* limit);

// Making and unmaking moves on a board.
Piece MovePiece(Square from, Square to, Board* board);
Piece ReturnPiece(Square now_on, Square back_to, Piece put_back, Board* board);
Piece MakeMove(Board* board, PositionNode* node, int16_t index);
void UnmakeMove(Square from, Square to, Piece captured, uint8_t status, Board* board);

// Position tree and node pool.
void ResetPool(PoolCursor* cursor, NodePool* pool);
uint8_t* CreateNode(PositionNode* parent, uint8_t* address, uint8_t* limit, Square from, Square to,
                    Piece captured, uint8_t status, int16_t move_number);
PositionNode* PlayMove(PositionNode* node, PoolCursor* cursor, Board* board, int16_t index);
PositionNode* TakeBack(PositionNode* node, Board* board);
PositionNode* NewBaseFromNode(PositionNode* node, PoolCursor* cursor);
void SubtractMaterial(PositionNode* node, Piece piece);
void RecountMaterial(PositionNode* node, Board* board);

// Legality.
int16_t FilterLegalMoves(PositionNode* node, PoolCursor* cursor, Board* board);
int IsInCheck(PositionNode* node, PoolCursor* cursor, Board* board);
int CanCaptureKing(PositionNode* node, Board* board);
void RemoveMove(PositionNode* node, int16_t index);
