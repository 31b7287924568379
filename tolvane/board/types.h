// Basic value types of the engine: colours, pieces, squares, moves, scores.
// Squares run a1 = 0 .. h8 = 63; a move packs into 16 bits so move lists,
// killers and table entries stay small.
#pragma once

#include <cstdint>

namespace tolvane {

using Bitboard = std::uint64_t;
using Key = std::uint64_t;
using Square = int;

enum Color : int { White = 0, Black = 1 };
constexpr Color operator~(Color c) { return Color(c ^ 1); }

enum PieceType : int { Pawn = 0, Knight, Bishop, Rook, Queen, King, NoPieceType };

// A piece is colour * 6 + type; NoPiece marks an empty square.
enum Piece : int { NoPiece = 12 };
constexpr Piece make_piece(Color c, PieceType t) { return Piece(c * 6 + t); }
constexpr PieceType type_of(Piece p) { return PieceType(p % 6); }
constexpr Color color_of(Piece p) { return Color(p / 6); }

constexpr Square NoSquare = 64;
constexpr int file_of(Square s) { return s & 7; }
constexpr int rank_of(Square s) { return s >> 3; }
constexpr Square make_square(int file, int rank) { return rank * 8 + file; }

// Castling rights as four bits.
enum CastlingRight : int {
  WhiteKingSide = 1,
  WhiteQueenSide = 2,
  BlackKingSide = 4,
  BlackQueenSide = 8,
};

enum class MoveKind : int { Normal = 0, Promotion = 1, EnPassant = 2, Castling = 3 };

// from (6 bits) | to (6 bits) | promotion piece - Knight (2 bits) | kind (2 bits).
// Castling is stored as the king's own step, e.g. e1g1.
class Move {
 public:
  constexpr Move() = default;
  constexpr Move(Square from, Square to, MoveKind kind = MoveKind::Normal, PieceType promo = Knight)
      : bits_(std::uint16_t(from | (to << 6) | ((promo - Knight) << 12) | (int(kind) << 14))) {}

  static constexpr Move from_bits(std::uint16_t bits) {
    Move m;
    m.bits_ = bits;
    return m;
  }
  static constexpr Move none() { return Move(); }

  constexpr Square from() const { return bits_ & 63; }
  constexpr Square to() const { return (bits_ >> 6) & 63; }
  constexpr MoveKind kind() const { return MoveKind(bits_ >> 14); }
  constexpr PieceType promotion() const {
    return kind() == MoveKind::Promotion ? PieceType(((bits_ >> 12) & 3) + Knight) : NoPieceType;
  }
  constexpr std::uint16_t bits() const { return bits_; }
  constexpr bool is_none() const { return bits_ == 0; }
  constexpr explicit operator bool() const { return bits_ != 0; }
  constexpr bool operator==(const Move&) const = default;

 private:
  std::uint16_t bits_ = 0;  // a1a1 never occurs as a move, so 0 means "no move"
};

// Scores are centipawns from the side to move's point of view. Mate scores
// count plies from the root: MateScore - n is "mate in n plies".
using Score = int;
constexpr Score Infinity = 32000;
constexpr Score MateScore = 31000;
constexpr Score MateBound = MateScore - 1000;  // beyond this a score is a mate

constexpr int MaxPly = 128;

}  // namespace tolvane
