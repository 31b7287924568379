// The board: bitboards per piece type and colour plus a mailbox. The state
// that cannot be recomputed (castling, en passant, clocks, key) lives on an
// undo stack, so make/unmake is cheap and the stack doubles as the list of
// earlier keys for repetition checks.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "board/attacks.h"
#include "board/bitboard.h"
#include "board/types.h"

namespace tolvane {

// Piece values for exchange evaluation and move ordering, by piece type.
constexpr int SeeValue[7] = {100, 320, 330, 500, 950, 20000, 0};

class Position {
 public:
  static constexpr std::string_view StartFen =
      "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

  // Parses Forsyth-Edwards text. Fields may be separated by any run of
  // blanks; the clocks may be missing. Castling rights whose king or rook is
  // not at home and an en passant square no pawn could have passed are
  // dropped, so "KQkq" may be given for any position. Returns nothing for
  // malformed text, a position without exactly one king per side, pawns on
  // the first or last rank, or the side not to move in check.
  static std::optional<Position> from_fen(std::string_view text);
  static Position start();
  std::string fen() const;

  // Plays a legal move of the side to move.
  void make(Move m);
  void unmake(Move m);
  // Passes the turn; for the search only, never while in check.
  void make_null();
  void unmake_null();

  Color side_to_move() const { return side_; }
  Key key() const { return key_; }
  Key pawn_key() const { return pawn_key_; }
  int halfmove_clock() const { return halfmove_; }
  int fullmove_number() const { return fullmove_; }
  int castling_rights() const { return castling_; }
  Square en_passant_square() const { return ep_; }
  bool in_check() const { return checkers_ != 0; }
  Bitboard checkers() const { return checkers_; }

  Piece piece_on(Square s) const { return board_[s]; }
  Bitboard pieces() const { return by_color_[White] | by_color_[Black]; }
  Bitboard pieces(Color c) const { return by_color_[c]; }
  Bitboard pieces(PieceType t) const { return by_type_[t]; }
  Bitboard pieces(Color c, PieceType t) const { return by_color_[c] & by_type_[t]; }
  Square king_square(Color c) const { return lsb(pieces(c, King)); }
  // Pieces of both colours that attack s, given the occupancy occ.
  Bitboard attackers_to(Square s, Bitboard occ) const;
  bool attacked_by(Color c, Square s) const {
    return (attackers_to(s, pieces()) & pieces(c)) != 0;
  }
  // Pieces of either colour that shield the king of colour c from an enemy slider.
  Bitboard blockers_for_king(Color c) const;

  // For a pseudo-legal move of the side to move: does it leave the own king safe?
  bool is_legal(Move m) const;
  bool is_capture(Move m) const {
    return board_[m.to()] != NoPiece || m.kind() == MoveKind::EnPassant;
  }
  // Static exchange evaluation: the material m wins or loses on its target
  // square when both sides take back with their cheapest pieces.
  int see(Move m) const;
  int value_on(Square s) const;

  // Neither side can ever mate: K v K, K and one minor v K, or only bishops
  // besides the kings, all on squares of one colour.
  bool insufficient_material() const;
  // The position occurred before since the last irreversible move.
  bool repeated(int times_needed = 1) const;

  // The board drawn in eight lines of text, rank 8 first, and a ninth line
  // giving the side to move.
  std::vector<std::string> picture() const;

 private:
  struct Undo {
    Key key;
    Key pawn_key;
    Bitboard checkers;
    int castling;
    Square ep;
    int halfmove;
    Piece captured;
  };

  void put(Piece p, Square s);
  void remove(Square s);
  void move_piece(Square from, Square to);
  void recompute_keys();
  // The fields of a FEN text, each false when its field is unreadable.
  bool place_pieces(std::string_view placement);
  bool grant_castling(std::string_view rights);
  bool mark_en_passant(std::string_view square);

  Bitboard by_type_[6] = {};
  Bitboard by_color_[2] = {};
  Piece board_[64];
  Color side_ = White;
  int castling_ = 0;
  Square ep_ = NoSquare;
  int halfmove_ = 0;
  int fullmove_ = 1;
  Key key_ = 0;
  Key pawn_key_ = 0;
  Bitboard checkers_ = 0;
  std::vector<Undo> undo_;
};

// "e2e4", "e7e8q", "0000" for no move.
std::string move_to_text(Move m);

}  // namespace tolvane
