#include "search/eval_pieces.h"

#include "search/eval_tables.h"

namespace tolvane {
namespace {

// Squares a piece typically reaches; mobility counts beyond these (knight .. queen).
constexpr int MobilityBase[4] = {4, 6, 6, 12};
constexpr int MaxKingDanger = 450;
constexpr Bitboard OutpostRanks[2] = {rank_bb(3) | rank_bb(4) | rank_bb(5), rank_bb(2) | rank_bb(3) | rank_bb(4)};

struct SideAttacks {
  Bitboard by_pawns = 0;
  Bitboard by_piece[4] = {};  // knight .. queen
  Bitboard all = 0;
  int king_attackers = 0;  // pieces that hit the squares around the enemy king
  int danger_units = 0;    // their attack units, before safe checks

  Bitboard by_minors() const { return by_piece[0] | by_piece[1]; }
};

// Mobility, files and outposts of one side; fills in where the side's
// pieces attack and how they bear on the enemy king.
Pair activity(const Position& pos, Color us, const EvalParams& w, SideAttacks& attacks) {
  const EvalTables& t = eval_tables();
  const Color them = ~us;
  const Bitboard occ = pos.pieces();
  const Bitboard their_pawns = pos.pieces(them, Pawn);
  const Bitboard their_pawn_attacks = pawn_attacks_bb(them, their_pawns);
  const Bitboard safe = ~(pos.pieces(us) | their_pawn_attacks);
  const Bitboard zone = t.king_zone[them][pos.king_square(them)];
  attacks.by_pawns = pawn_attacks_bb(us, pos.pieces(us, Pawn));
  attacks.all = attacks.by_pawns | king_attacks(pos.king_square(us));
  Pair score;
  for (PieceType pt : {Knight, Bishop, Rook, Queen}) {
    const int i = pt - Knight;
    Bitboard b = pos.pieces(us, pt);
    while (b) {
      Square s = pop_lsb(b);
      Bitboard att = pt == Knight   ? knight_attacks(s)
                     : pt == Bishop ? bishop_attacks(s, occ ^ pos.pieces(us, Queen))
                     : pt == Rook   ? rook_attacks(s, occ ^ pos.pieces(us, Queen) ^ pos.pieces(us, Rook))
                                    : queen_attacks(s, occ);
      attacks.all |= att;
      attacks.by_piece[i] |= att;
      score += w.mobility[i] * (popcount(att & safe) - MobilityBase[i]);
      if (att & zone) {
        ++attacks.king_attackers;
        attacks.danger_units += w.king_attack_weight[i].mg + popcount(att & zone);
      }
      if (pt == Knight || pt == Bishop) {
        // An outpost: defended by a pawn, out of reach of the enemy pawns.
        bool outpost = (square_bb(s) & OutpostRanks[us] & attacks.by_pawns) &&
                       !(t.passed_mask[us][s] & t.adjacent_files[file_of(s)] & their_pawns);
        if (outpost) score += pt == Knight ? w.knight_outpost : w.bishop_outpost;
      }
      if (pt == Rook || pt == Queen) {
        Bitboard file = file_bb(file_of(s));
        if (!(file & pos.pieces(us, Pawn))) {
          if (pt == Queen) score += w.queen_open_file;
          else score += (file & their_pawns) ? w.rook_half_open_file : w.rook_open_file;
        }
        if (pt == Rook && relative_rank(us, s) == 6 && relative_rank(us, pos.king_square(them)) >= 6)
          score += w.rook_seventh;
      }
    }
  }
  return score;
}

// The danger to the enemy king of two or more attackers with a queen among
// them, the greater for each kind of piece that can check from a square the
// king's side does not guard.
int king_danger(const Position& pos, Color us, const SideAttacks& ours, const SideAttacks& theirs,
                const EvalParams& w) {
  if (ours.king_attackers < 2 || !pos.pieces(us, Queen)) return 0;
  const Square k = pos.king_square(~us);
  const Bitboard occ = pos.pieces();
  const Bitboard safe = ~pos.pieces(us) & ~theirs.all;
  const Bitboard diagonal = bishop_attacks(k, occ), straight = rook_attacks(k, occ);
  const Bitboard checks[4] = {knight_attacks(k), diagonal, straight, diagonal | straight};
  int units = ours.danger_units;
  for (int i = 0; i < 4; ++i)
    if (ours.by_piece[i] & checks[i] & safe) units += w.king_safe_check[i].mg;
  return std::min(units * units, MaxKingDanger);
}

// Enemy pieces under attack: by pawns, heavy pieces by lesser ones, and
// pieces left without a defender.
Pair threats(const Position& pos, Color us, const SideAttacks& ours, const SideAttacks& theirs,
             const EvalParams& w) {
  const Color them = ~us;
  const Bitboard pieces = pos.pieces(them) & ~pos.pieces(them, Pawn) & ~pos.pieces(them, King);
  const Bitboard heavy = pos.pieces(them, Rook) | pos.pieces(them, Queen);
  Pair score;
  score += w.threat_by_pawn * popcount(pieces & ours.by_pawns);
  score += w.threat_by_minor * popcount(heavy & ours.by_minors());
  score += w.threat_by_rook * popcount(pos.pieces(them, Queen) & ours.by_piece[Rook - Knight]);
  score += w.hanging * popcount(pieces & ours.all & ~theirs.all);
  return score;
}

}  // namespace

Pair piece_terms(const Position& pos, const EvalParams& w) {
  SideAttacks white, black;
  Pair score = activity(pos, White, w, white) - activity(pos, Black, w, black);
  score.mg += king_danger(pos, White, white, black, w) - king_danger(pos, Black, black, white, w);
  return score + threats(pos, White, white, black, w) - threats(pos, Black, black, white, w);
}

}  // namespace tolvane
