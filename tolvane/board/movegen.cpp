#include "board/movegen.h"

#include <cctype>

namespace tolvane {
namespace {

void add_promotions(MoveList& list, Square from, Square to, GenKind kind) {
  list.push(Move(from, to, MoveKind::Promotion, Queen));
  if (kind == GenKind::All) {
    list.push(Move(from, to, MoveKind::Promotion, Knight));
    list.push(Move(from, to, MoveKind::Promotion, Rook));
    list.push(Move(from, to, MoveKind::Promotion, Bishop));
  }
}

void pawn_moves(const Position& pos, MoveList& list, GenKind kind) {
  const Color us = pos.side_to_move(), them = ~us;
  const Bitboard pawns = pos.pieces(us, Pawn);
  const Bitboard empty = ~pos.pieces();
  const Bitboard enemies = pos.pieces(them);
  const Bitboard last_rank = us == White ? Rank8 : Rank1;
  const Bitboard third_rank = us == White ? rank_bb(2) : rank_bb(5);
  const int forward = us == White ? 8 : -8;

  Bitboard one = shift_forward(us, pawns) & empty;
  Bitboard promo = one & last_rank;
  while (promo) {
    Square to = pop_lsb(promo);
    add_promotions(list, to - forward, to, kind);
  }
  if (kind == GenKind::All) {
    Bitboard pushes = one & ~last_rank;
    Bitboard doubles = shift_forward(us, pushes & third_rank) & empty;
    while (pushes) {
      Square to = pop_lsb(pushes);
      list.push(Move(to - forward, to));
    }
    while (doubles) {
      Square to = pop_lsb(doubles);
      list.push(Move(to - 2 * forward, to));
    }
  }
  Bitboard capturers = pawns;
  while (capturers) {
    Square from = pop_lsb(capturers);
    Bitboard targets = pawn_attacks(us, from) & enemies;
    while (targets) {
      Square to = pop_lsb(targets);
      if (square_bb(to) & last_rank) add_promotions(list, from, to, kind);
      else list.push(Move(from, to));
    }
  }
  if (pos.en_passant_square() != NoSquare) {
    Bitboard takers = pawn_attacks(them, pos.en_passant_square()) & pawns;
    while (takers) list.push(Move(pop_lsb(takers), pos.en_passant_square(), MoveKind::EnPassant));
  }
}

void castling_moves(const Position& pos, MoveList& list) {
  const Color us = pos.side_to_move();
  const int rights = pos.castling_rights() >> (us == White ? 0 : 2);
  const Square king = us == White ? 4 : 60;
  const Bitboard occ = pos.pieces();
  if ((rights & WhiteKingSide) && !(between(king, king + 3) & occ))
    list.push(Move(king, king + 2, MoveKind::Castling));
  if ((rights & WhiteQueenSide) && !(between(king, king - 4) & occ))
    list.push(Move(king, king - 2, MoveKind::Castling));
}

}  // namespace

void generate(const Position& pos, MoveList& list, GenKind kind) {
  const Color us = pos.side_to_move();
  const Bitboard occ = pos.pieces();
  const Bitboard targets = kind == GenKind::All ? ~pos.pieces(us) : pos.pieces(~us);
  pawn_moves(pos, list, kind);
  for (PieceType t : {Knight, Bishop, Rook, Queen, King}) {
    Bitboard from_set = pos.pieces(us, t);
    while (from_set) {
      Square from = pop_lsb(from_set);
      Bitboard to_set = 0;
      switch (t) {
        case Knight: to_set = knight_attacks(from); break;
        case Bishop: to_set = bishop_attacks(from, occ); break;
        case Rook: to_set = rook_attacks(from, occ); break;
        case Queen: to_set = queen_attacks(from, occ); break;
        default: to_set = king_attacks(from); break;
      }
      to_set &= targets;
      while (to_set) list.push(Move(from, pop_lsb(to_set)));
    }
  }
  if (kind == GenKind::All && !pos.in_check()) castling_moves(pos, list);
}

MoveList legal_moves(const Position& pos) {
  MoveList all, legal;
  generate(pos, all, GenKind::All);
  for (Move m : all)
    if (pos.is_legal(m)) legal.push(m);
  return legal;
}

std::optional<Move> parse_move(const Position& pos, std::string_view text) {
  if (text.size() < 4 || text.size() > 5) return std::nullopt;
  auto square = [](char f, char r) -> int {
    f = char(std::tolower(static_cast<unsigned char>(f)));  // "E2E4" as well
    if (f < 'a' || f > 'h' || r < '1' || r > '8') return -1;
    return make_square(f - 'a', r - '1');
  };
  int from = square(text[0], text[1]), to = square(text[2], text[3]);
  if (from < 0 || to < 0) return std::nullopt;
  PieceType promo = NoPieceType;
  if (text.size() == 5) {
    switch (std::tolower(static_cast<unsigned char>(text[4]))) {
      case 'q': case 'd': promo = Queen; break;
      case 'r': case 't': promo = Rook; break;
      case 'b': case 'l': promo = Bishop; break;
      case 'n': case 's': promo = Knight; break;
      default: return std::nullopt;
    }
  }
  for (Move m : legal_moves(pos)) {
    if (m.from() != from || m.to() != to) continue;
    if (m.kind() == MoveKind::Promotion) {
      if (m.promotion() == (promo == NoPieceType ? Queen : promo)) return m;
    } else if (promo == NoPieceType) {
      return m;
    }
  }
  return std::nullopt;
}

std::uint64_t perft(Position& pos, int depth) {
  MoveList moves = legal_moves(pos);
  if (depth <= 1) return depth == 1 ? moves.size() : 1;
  std::uint64_t total = 0;
  for (Move m : moves) {
    pos.make(m);
    total += perft(pos, depth - 1);
    pos.unmake(m);
  }
  return total;
}

}  // namespace tolvane
