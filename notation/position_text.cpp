// Board and node to the position text the engine reads after "setboard".
#include "notation/position_text.h"

#include <cstdio>
#include <cstdlib>

#include "notation/piece_letters.h"

namespace {

char* write_placement(const Board* board, char* out) {
  for (int rank = 7; rank >= 0; --rank) {
    int empty = 0;
    for (int file = 0; file < 8; ++file) {
      const Piece piece = board->squares[square_of(file, rank)];
      if (piece == 0) {
        ++empty;
        continue;
      }
      if (empty != 0) *out++ = static_cast<char>('0' + empty);
      empty = 0;
      *out++ = english_piece_letter(piece);
    }
    if (empty != 0) *out++ = static_cast<char>('0' + empty);
    *out++ = rank > 0 ? '/' : ' ';
  }
  return out;
}

// The rights the engine must be told are those the node really has: claiming lost ones makes it
// play castling moves the rules core refuses.
char* write_castling(uint8_t status, char* out) {
  const char* const start = out;
  if (status & WHITE_KING_SIDE) *out++ = 'K';
  if (status & WHITE_QUEEN_SIDE) *out++ = 'Q';
  if (status & BLACK_KING_SIDE) *out++ = 'k';
  if (status & BLACK_QUEEN_SIDE) *out++ = 'q';
  if (out == start) *out++ = '-';
  return out;
}

// The square a pawn passed over with the double step that led to node, or "-".
char* write_en_passant(const Board* board, const PositionNode* node, char* out) {
  const int from = node->Letzter_zug_von;
  const int to = node->Letzter_zug_nach;
  const bool double_step = to < 64 && (board->squares[to] & KIND_MASK) == PAWN && std::abs(to - from) == 16 &&
                           (rank_of(from) == 1 || rank_of(from) == 6);
  if (!double_step) {
    *out++ = '-';
    return out;
  }
  const Square passed = static_cast<Square>((from + to) / 2);
  *out++ = square_file_letter(passed);
  *out++ = square_rank_digit(passed);
  return out;
}

}  // namespace

void position_text(const Board* board, char* text, const PositionNode* node) {
  char* out = write_placement(board, text);
  *out++ = node->Welcher_zug > 0 ? 'w' : 'b';
  // Two blanks before the castling field, as the engine has always been given them.
  *out++ = ' ';
  *out++ = ' ';
  out = write_castling(node->Letzter_status, out);
  *out++ = ' ';
  out = write_en_passant(board, node, out);
  snprintf(out, static_cast<size_t>(text + POSITION_TEXT_SIZE - out), " 0 %d", std::abs(node->Welcher_zug));
}
