#include "board/position.h"

#include <algorithm>
#include <cctype>
#include <limits>
#include <sstream>

#include "board/words.h"
#include "board/zobrist.h"

namespace tolvane {
namespace {

constexpr std::string_view PieceLetters = "PNBRQKpnbrqk";

// Rights that survive a move touching the square.
constexpr int rights_kept(Square s) {
  switch (s) {
    case 0: return ~WhiteQueenSide & 15;
    case 4: return ~(WhiteKingSide | WhiteQueenSide) & 15;
    case 7: return ~WhiteKingSide & 15;
    case 56: return ~BlackQueenSide & 15;
    case 60: return ~(BlackKingSide | BlackQueenSide) & 15;
    case 63: return ~BlackKingSide & 15;
    default: return 15;
  }
}

// Half the int range: the counters moves raise from a number read here
// still fit, and still read back from the FEN they are written to.
constexpr long long MaxCounter = std::numeric_limits<int>::max() / 2;

bool parse_number(std::string_view text, int& out) {
  if (text.empty()) return false;
  long long value = 0;
  for (char c : text) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    value = value * 10 + (c - '0');
    if (value > MaxCounter) return false;
  }
  out = int(value);
  return true;
}

}  // namespace

std::string move_to_text(Move m) {
  if (m.is_none()) return "0000";
  std::string s;
  s += char('a' + file_of(m.from()));
  s += char('1' + rank_of(m.from()));
  s += char('a' + file_of(m.to()));
  s += char('1' + rank_of(m.to()));
  if (m.kind() == MoveKind::Promotion) s += "nbrq"[m.promotion() - Knight];
  return s;
}

Position Position::start() { return *from_fen(StartFen); }

bool Position::place_pieces(std::string_view placement) {
  for (Piece& pc : board_) pc = NoPiece;
  int rank = 7, file = 0;
  for (char c : placement) {
    if (c == '/') {
      if (file != 8 || rank == 0) return false;
      --rank;
      file = 0;
    } else if (c >= '1' && c <= '8') {
      file += c - '0';
      if (file > 8) return false;
    } else {
      auto at = PieceLetters.find(c);
      if (at == std::string_view::npos || file > 7) return false;
      put(Piece(at), make_square(file, rank));
      ++file;
    }
  }
  return rank == 0 && file == 8;
}

bool Position::grant_castling(std::string_view rights) {
  if (rights != "-") {
    for (char c : rights) {
      switch (c) {
        case 'K': castling_ |= WhiteKingSide; break;
        case 'Q': castling_ |= WhiteQueenSide; break;
        case 'k': castling_ |= BlackKingSide; break;
        case 'q': castling_ |= BlackQueenSide; break;
        default: return false;
      }
    }
  }
  // Rights only count with king and rook at home.
  auto home = [&](Square s, Piece pc) { return board_[s] == pc; };
  if (!home(4, make_piece(White, King))) castling_ &= ~(WhiteKingSide | WhiteQueenSide);
  if (!home(7, make_piece(White, Rook))) castling_ &= ~WhiteKingSide;
  if (!home(0, make_piece(White, Rook))) castling_ &= ~WhiteQueenSide;
  if (!home(60, make_piece(Black, King))) castling_ &= ~(BlackKingSide | BlackQueenSide);
  if (!home(63, make_piece(Black, Rook))) castling_ &= ~BlackKingSide;
  if (!home(56, make_piece(Black, Rook))) castling_ &= ~BlackQueenSide;
  return true;
}

bool Position::mark_en_passant(std::string_view square) {
  if (square == "-") return true;
  if (square.size() != 2 || square[0] < 'a' || square[0] > 'h' || (square[1] != '3' && square[1] != '6'))
    return false;
  const Square ep = make_square(square[0] - 'a', square[1] - '1');
  const Color them = ~side_;
  // Keep it only when a pawn stands just past it and one of ours could take.
  const Square pawn_sq = side_ == White ? ep - 8 : ep + 8;
  const bool right_rank = (side_ == White) == (square[1] == '6');
  if (right_rank && board_[pawn_sq] == make_piece(them, Pawn) && (pawn_attacks(them, ep) & pieces(side_, Pawn)))
    ep_ = ep;
  return true;
}

std::optional<Position> Position::from_fen(std::string_view text) {
  auto fields = split_words(text);
  if (fields.size() < 2) return std::nullopt;
  Position p;
  if (!p.place_pieces(fields[0])) return std::nullopt;
  if (fields[1] == "w") p.side_ = White;
  else if (fields[1] == "b") p.side_ = Black;
  else return std::nullopt;
  if (popcount(p.pieces(White, King)) != 1 || popcount(p.pieces(Black, King)) != 1) return std::nullopt;
  if (p.pieces(Pawn) & (Rank1 | Rank8)) return std::nullopt;
  if (!p.grant_castling(fields.size() > 2 ? fields[2] : "-")) return std::nullopt;
  if (!p.mark_en_passant(fields.size() > 3 ? fields[3] : "-")) return std::nullopt;
  int number = 0;
  if (fields.size() > 4 && parse_number(fields[4], number)) p.halfmove_ = number;
  if (fields.size() > 5 && parse_number(fields[5], number) && number > 0) p.fullmove_ = number;

  if (p.attacked_by(p.side_, p.king_square(~p.side_))) return std::nullopt;
  p.checkers_ = p.attackers_to(p.king_square(p.side_), p.pieces()) & p.pieces(~p.side_);
  p.recompute_keys();
  return p;
}

std::string Position::fen() const {
  std::string s;
  for (int rank = 7; rank >= 0; --rank) {
    int empty = 0;
    for (int file = 0; file < 8; ++file) {
      Piece pc = board_[make_square(file, rank)];
      if (pc == NoPiece) {
        ++empty;
        continue;
      }
      if (empty) s += char('0' + empty);
      empty = 0;
      s += PieceLetters[pc];
    }
    if (empty) s += char('0' + empty);
    if (rank) s += '/';
  }
  s += side_ == White ? " w " : " b ";
  if (!castling_) s += '-';
  if (castling_ & WhiteKingSide) s += 'K';
  if (castling_ & WhiteQueenSide) s += 'Q';
  if (castling_ & BlackKingSide) s += 'k';
  if (castling_ & BlackQueenSide) s += 'q';
  s += ' ';
  if (ep_ == NoSquare) {
    s += '-';
  } else {
    s += char('a' + file_of(ep_));
    s += char('1' + rank_of(ep_));
  }
  s += ' ' + std::to_string(halfmove_) + ' ' + std::to_string(fullmove_);
  return s;
}

void Position::put(Piece p, Square s) {
  board_[s] = p;
  Bitboard b = square_bb(s);
  by_type_[type_of(p)] |= b;
  by_color_[color_of(p)] |= b;
  key_ ^= zobrist.piece_square[p][s];
  if (type_of(p) == Pawn || type_of(p) == King) pawn_key_ ^= zobrist.piece_square[p][s];
}

void Position::remove(Square s) {
  Piece p = board_[s];
  Bitboard b = square_bb(s);
  by_type_[type_of(p)] ^= b;
  by_color_[color_of(p)] ^= b;
  board_[s] = NoPiece;
  key_ ^= zobrist.piece_square[p][s];
  if (type_of(p) == Pawn || type_of(p) == King) pawn_key_ ^= zobrist.piece_square[p][s];
}

void Position::move_piece(Square from, Square to) {
  Piece p = board_[from];
  remove(from);
  put(p, to);
}

void Position::recompute_keys() {
  key_ = 0;
  pawn_key_ = 0;
  for (Square s = 0; s < 64; ++s) {
    Piece p = board_[s];
    if (p == NoPiece) continue;
    key_ ^= zobrist.piece_square[p][s];
    if (type_of(p) == Pawn || type_of(p) == King) pawn_key_ ^= zobrist.piece_square[p][s];
  }
  key_ ^= zobrist.castling[castling_];
  if (ep_ != NoSquare) key_ ^= zobrist.en_passant_file[file_of(ep_)];
  if (side_ == Black) key_ ^= zobrist.black_to_move;
}

Bitboard Position::attackers_to(Square s, Bitboard occ) const {
  return (pawn_attacks(White, s) & pieces(Black, Pawn)) |
         (pawn_attacks(Black, s) & pieces(White, Pawn)) |
         (knight_attacks(s) & pieces(Knight)) | (king_attacks(s) & pieces(King)) |
         (bishop_attacks(s, occ) & (pieces(Bishop) | pieces(Queen))) |
         (rook_attacks(s, occ) & (pieces(Rook) | pieces(Queen)));
}

Bitboard Position::blockers_for_king(Color c) const {
  Square k = king_square(c);
  Bitboard snipers = ((rook_attacks(k, 0) & (pieces(Rook) | pieces(Queen))) |
                      (bishop_attacks(k, 0) & (pieces(Bishop) | pieces(Queen)))) &
                     pieces(~c);
  Bitboard blockers = 0;
  Bitboard occ = pieces() ^ snipers;
  while (snipers) {
    Square s = pop_lsb(snipers);
    Bitboard b = between(k, s) & occ;
    if (b && !more_than_one(b)) blockers |= b;
  }
  return blockers;
}

void Position::make(Move m) {
  undo_.push_back({key_, pawn_key_, checkers_, castling_, ep_, halfmove_, NoPiece});
  Undo& u = undo_.back();
  const Color us = side_, them = ~us;
  const Square from = m.from(), to = m.to();
  const Piece moving = board_[from];

  key_ ^= zobrist.castling[castling_];
  if (ep_ != NoSquare) key_ ^= zobrist.en_passant_file[file_of(ep_)];
  ep_ = NoSquare;
  ++halfmove_;

  if (m.kind() == MoveKind::Castling) {
    bool king_side = to > from;
    Square rook_from = king_side ? from + 3 : from - 4;
    Square rook_to = king_side ? from + 1 : from - 1;
    move_piece(from, to);
    move_piece(rook_from, rook_to);
  } else {
    if (m.kind() == MoveKind::EnPassant) {
      Square victim = us == White ? to - 8 : to + 8;
      u.captured = board_[victim];
      remove(victim);
      halfmove_ = 0;
    } else if (board_[to] != NoPiece) {
      u.captured = board_[to];
      remove(to);
      halfmove_ = 0;
    }
    move_piece(from, to);
    if (type_of(moving) == Pawn) {
      halfmove_ = 0;
      if ((to ^ from) == 16) {
        Square passed = (from + to) / 2;
        if (pawn_attacks(us, passed) & pieces(them, Pawn)) ep_ = passed;
      } else if (m.kind() == MoveKind::Promotion) {
        remove(to);
        put(make_piece(us, m.promotion()), to);
      }
    }
  }
  castling_ &= rights_kept(from) & rights_kept(to);
  key_ ^= zobrist.castling[castling_];
  if (ep_ != NoSquare) key_ ^= zobrist.en_passant_file[file_of(ep_)];
  key_ ^= zobrist.black_to_move;
  if (us == Black) ++fullmove_;
  side_ = them;
  checkers_ = attackers_to(king_square(them), pieces()) & pieces(us);
}

void Position::unmake(Move m) {
  const Undo u = undo_.back();
  undo_.pop_back();
  side_ = ~side_;
  if (side_ == Black) --fullmove_;
  const Color us = side_;
  const Square from = m.from(), to = m.to();

  if (m.kind() == MoveKind::Castling) {
    bool king_side = to > from;
    move_piece(to, from);
    move_piece(king_side ? from + 1 : from - 1, king_side ? from + 3 : from - 4);
  } else {
    if (m.kind() == MoveKind::Promotion) {
      remove(to);
      put(make_piece(us, Pawn), to);
    }
    move_piece(to, from);
    if (u.captured != NoPiece)
      put(u.captured, m.kind() == MoveKind::EnPassant ? (us == White ? to - 8 : to + 8) : to);
  }
  key_ = u.key;
  pawn_key_ = u.pawn_key;
  checkers_ = u.checkers;
  castling_ = u.castling;
  ep_ = u.ep;
  halfmove_ = u.halfmove;
}

void Position::make_null() {
  undo_.push_back({key_, pawn_key_, checkers_, castling_, ep_, halfmove_, NoPiece});
  if (ep_ != NoSquare) key_ ^= zobrist.en_passant_file[file_of(ep_)];
  ep_ = NoSquare;
  key_ ^= zobrist.black_to_move;
  ++halfmove_;
  side_ = ~side_;
  checkers_ = 0;
}

void Position::unmake_null() {
  const Undo u = undo_.back();
  undo_.pop_back();
  side_ = ~side_;
  key_ = u.key;
  ep_ = u.ep;
  halfmove_ = u.halfmove;
  checkers_ = u.checkers;
}

bool Position::is_legal(Move m) const {
  const Color us = side_;
  const Square from = m.from(), to = m.to();
  const Square k = king_square(us);
  if (m.kind() == MoveKind::EnPassant) {
    Square victim = us == White ? to - 8 : to + 8;
    Bitboard occ = (pieces() ^ square_bb(from) ^ square_bb(victim)) | square_bb(to);
    return !(bishop_attacks(k, occ) & (pieces(~us, Bishop) | pieces(~us, Queen))) &&
           !(rook_attacks(k, occ) & (pieces(~us, Rook) | pieces(~us, Queen)));
  }
  if (m.kind() == MoveKind::Castling) {
    if (checkers_) return false;
    int step = to > from ? 1 : -1;
    for (Square s = from + step; s != to + step; s += step)
      if (attacked_by(~us, s)) return false;
    return true;
  }
  if (from == k) {
    return !(attackers_to(to, pieces() ^ square_bb(from)) & pieces(~us));
  }
  if (checkers_) {
    if (more_than_one(checkers_)) return false;
    Square checker = lsb(checkers_);
    if (!((between(k, checker) | checkers_) & square_bb(to))) return false;
  }
  return !(blockers_for_king(us) & square_bb(from)) || (line_through(k, from) & square_bb(to));
}

bool Position::insufficient_material() const {
  if (pieces(Pawn) | pieces(Rook) | pieces(Queen)) return false;
  Bitboard minors = pieces(Knight) | pieces(Bishop);
  if (popcount(minors) <= 1) return true;
  if (pieces(Knight)) return false;
  constexpr Bitboard DarkSquares = 0xAA55AA55AA55AA55ULL;
  Bitboard b = pieces(Bishop);
  return (b & DarkSquares) == 0 || (b & ~DarkSquares) == 0;
}

bool Position::repeated(int times_needed) const {
  int found = 0;
  int limit = std::min<int>(halfmove_, int(undo_.size()));
  for (int back = 4; back <= limit; back += 2)
    if (undo_[undo_.size() - back].key == key_ && ++found >= times_needed) return true;
  return false;
}

int Position::value_on(Square s) const {
  return board_[s] == NoPiece ? 0 : SeeValue[type_of(board_[s])];
}

int Position::see(Move m) const {
  if (m.kind() == MoveKind::Castling) return 0;
  const Square to = m.to();
  int gain[40];
  int depth = 0;
  Square from = m.from();
  Bitboard occ = pieces();
  gain[0] = m.kind() == MoveKind::EnPassant ? SeeValue[Pawn] : value_on(to);
  int on_square = SeeValue[type_of(board_[from])];
  if (m.kind() == MoveKind::Promotion) {
    gain[0] += SeeValue[m.promotion()] - SeeValue[Pawn];
    on_square = SeeValue[m.promotion()];
  }
  if (m.kind() == MoveKind::EnPassant) occ ^= square_bb(side_ == White ? to - 8 : to + 8);
  const Bitboard diagonal = pieces(Bishop) | pieces(Queen);
  const Bitboard straight = pieces(Rook) | pieces(Queen);
  Color stm = ~side_;
  occ ^= square_bb(from);
  Bitboard attackers = attackers_to(to, occ) & occ;
  while (depth < 38) {
    Bitboard mine = attackers & pieces(stm);
    if (!mine) break;
    PieceType t = Pawn;
    while (!(mine & pieces(t))) t = PieceType(t + 1);
    // A king may only take when nothing defends the square any more.
    if (t == King && (attackers & pieces(~stm))) break;
    ++depth;
    gain[depth] = on_square - gain[depth - 1];
    on_square = SeeValue[t];
    occ ^= square_bb(lsb(mine & pieces(t)));
    attackers |= (bishop_attacks(to, occ) & diagonal) | (rook_attacks(to, occ) & straight);
    attackers &= occ;
    stm = ~stm;
  }
  // Each side may stop taking when going on would lose more.
  while (depth > 0) {
    gain[depth - 1] = -std::max(-gain[depth - 1], gain[depth]);
    --depth;
  }
  return gain[0];
}

std::vector<std::string> Position::picture() const {
  std::vector<std::string> lines;
  for (int rank = 7; rank >= 0; --rank) {
    std::string line = std::to_string(rank + 1) + " ";
    for (int file = 0; file < 8; ++file) {
      Piece pc = board_[make_square(file, rank)];
      line += ' ';
      line += pc == NoPiece ? '.' : PieceLetters[pc];
    }
    lines.push_back(line);
  }
  lines.push_back(std::string("   a b c d e f g h  ") + (side_ == White ? "White" : "Black") +
                  " to move");
  return lines;
}

}  // namespace tolvane
