// Attack tests by looking outwards from the square: pawns, knights, the king and the sliding rays.
#include "search/king_safety.h"

#include <initializer_list>

#include "rules/rules.h"

namespace {

struct Step {
  int file;
  int rank;
};

constexpr Step kKnightSteps[] = {{-1, 2}, {1, 2}, {-1, -2}, {1, -2}, {-2, 1}, {2, 1}, {-2, -1}, {2, -1}};
constexpr Step kKingSteps[] = {{1, 1}, {1, 0}, {1, -1}, {0, 1}, {0, -1}, {-1, 1}, {-1, 0}, {-1, -1}};
constexpr Step kStraightRays[] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
constexpr Step kDiagonalRays[] = {{1, 1}, {-1, 1}, {1, -1}, {-1, -1}};

bool on_board(int file, int rank) { return file >= 0 && file < 8 && rank >= 0 && rank < 8; }

Piece piece_at(const Board& board, int file, int rank) { return board.squares[square_of(file, rank)]; }

template <size_t N>
bool step_attack(const Board& board, Square square, const Step (&steps)[N], Piece attacker) {
  for (const Step& s : steps) {
    const int file = file_of(square) + s.file, rank = rank_of(square) + s.rank;
    if (on_board(file, rank) && piece_at(board, file, rank) == attacker) return true;
  }
  return false;
}

// sliders: the two kinds (queen and rook or bishop) that move along these rays, in the attacker's colour.
template <size_t N>
bool ray_attack(const Board& board, Square square, const Step (&rays)[N], Piece slider, Piece queen) {
  for (const Step& s : rays) {
    int file = file_of(square) + s.file, rank = rank_of(square) + s.rank;
    for (; on_board(file, rank); file += s.file, rank += s.rank) {
      const Piece piece = piece_at(board, file, rank);
      if (piece == 0) continue;
      if (piece == slider || piece == queen) return true;
      break;
    }
  }
  return false;
}

int king_square(const Board& board, Piece colour) {
  for (int square = 0; square < 64; ++square)
    if (board.squares[square] == (KING | colour)) return square;
  return -1;
}

Piece colour_to_move(const PositionNode* node) { return node->Welcher_zug > 0 ? 0 : BLACK; }

bool is_castling(const MoveEntry& move) {
  const int file_change = file_of(move.Nach) - file_of(move.Von);
  return (move.Fig & KIND_MASK) == KING && (file_change == 2 || file_change == -2);
}

}  // namespace

bool square_attacked(const Board& board, Square square, Piece by_colour) {
  // A pawn attacks diagonally forwards, so it stands one rank behind the square as seen from its side.
  const int pawn_rank = rank_of(square) + (by_colour == 0 ? -1 : 1);
  for (int file_step : {-1, 1}) {
    const int file = file_of(square) + file_step;
    if (on_board(file, pawn_rank) && piece_at(board, file, pawn_rank) == (PAWN | by_colour)) return true;
  }
  return step_attack(board, square, kKnightSteps, KNIGHT | by_colour) ||
         step_attack(board, square, kKingSteps, KING | by_colour) ||
         ray_attack(board, square, kStraightRays, ROOK | by_colour, QUEEN | by_colour) ||
         ray_attack(board, square, kDiagonalRays, BISHOP | by_colour, QUEEN | by_colour);
}

bool side_to_move_in_check(const Board& board, const PositionNode* node) {
  const Piece colour = colour_to_move(node);
  const int king = king_square(board, colour);
  return king >= 0 && square_attacked(board, static_cast<Square>(king), colour ^ BLACK);
}

bool is_legal_move(Board* board, PositionNode* node, int16_t index) {
  const MoveEntry move = node->Zuege()[index];
  const Piece colour = colour_to_move(node);
  const Piece opponent = colour ^ BLACK;
  if (is_castling(move)) {
    const Square passing = static_cast<Square>((move.Von + move.Nach) / 2);
    if (square_attacked(*board, move.Von, opponent) || square_attacked(*board, passing, opponent)) return false;
  }
  const Piece captured = MakeMove(board, node, index);
  const int king = king_square(*board, colour);
  const bool legal = king < 0 || !square_attacked(*board, static_cast<Square>(king), opponent);
  UnmakeMove(move.Von, move.Nach, captured, move.Status, board);
  return legal;
}

bool has_legal_move(Board* board, PositionNode* node) {
  for (int16_t i = 0; i < node->Anz_moegl_zuege; ++i)
    if (is_legal_move(board, node, i)) return true;
  return false;
}
