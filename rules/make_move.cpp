// Playing a move of a node's list on a board and taking it back from the four values a child keeps.
#include <cstdlib>

#include "rules/rules.h"

namespace {

bool is_castling(Piece piece, Square from, Square to) {
  return (piece & KIND_MASK) == KING && std::abs(file_of(from) - file_of(to)) == 2 &&
         (to == 2 || to == 6 || to == 58 || to == 62);
}

// The rook's home and castled squares for a king landing on c1, g1, c8 or g8.
struct RookJump {
  Square home;
  Square castled;
};

RookJump rook_jump(Square king_to) {
  switch (king_to) {
    case 2: return {0, 3};
    case 6: return {7, 5};
    case 58: return {56, 59};
    default: return {63, 61};
  }
}

}  // namespace

Piece MovePiece(Square from, Square to, Board* board) {
  const Piece captured = board->squares[to];
  board->squares[to] = board->squares[from];
  board->squares[from] = 0;
  return captured;
}

Piece ReturnPiece(Square now_on, Square back_to, Piece put_back, Board* board) {
  const Piece was_there = board->squares[back_to];
  board->squares[back_to] = board->squares[now_on];
  board->squares[now_on] = put_back;
  return was_there;
}

Piece MakeMove(Board* board, PositionNode* node, int16_t index) {
  const MoveEntry& e = node->Zuege()[index];
  const Square from = e.Von, to = e.Nach;
  const Piece kind = e.Fig & KIND_MASK;
  Piece captured;
  if (is_castling(e.Fig, from, to)) {
    const RookJump rook = rook_jump(to);
    MovePiece(rook.home, rook.castled, board);
    captured = MovePiece(from, to, board);
  } else {
    captured = MovePiece(from, to, board);
    if (kind == PAWN && file_of(from) != file_of(to) && captured == 0) {
      board->squares[square_of(file_of(to), rank_of(from))] = 0;  // the pawn taken en passant
    }
  }
  if (board->squares[to] != e.Fig) board->squares[to] = e.Fig;  // promotion
  return captured;
}

void UnmakeMove(Square from, Square to, Piece captured, uint8_t status, Board* board) {
  if (status & PROMOTION_MARK) {
    board->squares[from] = to >= 32 ? PAWN : PAWN | BLACK;
    board->squares[to] = captured;
    return;
  }
  const Piece piece = board->squares[to];
  if (is_castling(piece, from, to)) {
    const RookJump rook = rook_jump(to);
    MovePiece(rook.castled, rook.home, board);
    ReturnPiece(to, from, 0, board);
  } else if ((piece & KIND_MASK) == PAWN && file_of(from) != file_of(to) && captured == 0) {
    const Piece their_pawn = (piece & BLACK) ? PAWN : PAWN | BLACK;
    ReturnPiece(to, from, their_pawn, board);
    MovePiece(to, square_of(file_of(to), rank_of(from)), board);
  } else {
    ReturnPiece(to, from, captured, board);
  }
}
