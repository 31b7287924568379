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
  Bitboard by_minors = 0;
  Bitboard by_rooks = 0;
  Bitboard all = 0;
};

// Mobility, files, outposts and attacks on the enemy king of one side; fills
// in where the side's pieces attack.
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
  Pair score, danger_units;
  int attackers = 0;
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
      if (pt == Knight || pt == Bishop) attacks.by_minors |= att;
      if (pt == Rook) attacks.by_rooks |= att;
      score += w.mobility[i] * (popcount(att & safe) - MobilityBase[i]);
      if (att & zone) {
        ++attackers;
        danger_units += w.king_attack_weight[i] + Pair{popcount(att & zone), 0};
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
  if (attackers >= 2 && pos.pieces(us, Queen)) {
    int units = danger_units.mg;
    score.mg += std::min(units * units, MaxKingDanger);
  }
  return score;
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
  score += w.threat_by_minor * popcount(heavy & ours.by_minors);
  score += w.threat_by_rook * popcount(pos.pieces(them, Queen) & ours.by_rooks);
  score += w.hanging * popcount(pieces & ours.all & ~theirs.all);
  return score;
}

}  // namespace

Pair piece_terms(const Position& pos, const EvalParams& w) {
  SideAttacks white, black;
  Pair score = activity(pos, White, w, white) - activity(pos, Black, w, black);
  return score + threats(pos, White, white, black, w) - threats(pos, Black, black, white, w);
}

}  // namespace tolvane
