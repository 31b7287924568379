#include "search/eval_pawns.h"

#include "search/eval_tables.h"
#include "search/evaluate.h"

namespace tolvane {
namespace {

constexpr int UnstoppablePawn = 500;

Pair shelter_and_storm(const Position& pos, Color us, const EvalParams& w) {
  const EvalTables& t = eval_tables();
  const Bitboard ours = pos.pieces(us, Pawn), theirs = pos.pieces(~us, Pawn);
  const Square k = pos.king_square(us);
  const int centre = std::clamp(file_of(k), 1, 6);
  Pair score;
  for (int f = centre - 1; f <= centre + 1; ++f) {
    Bitboard shield = ours & file_bb(f) & t.passed_mask[us][k];
    if (!shield) {
      score += w.shelter_missing;
      if (!(theirs & file_bb(f))) score += w.shelter_open_file;
    } else {
      Square nearest = us == White ? lsb(shield) : 63 - std::countl_zero(shield);
      int gap = std::abs(rank_of(nearest) - rank_of(k));
      if (gap <= 1) score += w.shelter_close;
    }
    // An enemy pawn two or three ranks in front of the king is about to open lines.
    Bitboard storm = theirs & file_bb(f) & t.passed_mask[us][k];
    while (storm) {
      Square s = pop_lsb(storm);
      int gap = std::abs(rank_of(s) - rank_of(k));
      if (gap == 2 || gap == 3) score += w.pawn_storm;
    }
  }
  return score;
}

Pair structure(const Position& pos, Color us, Bitboard& passed, const EvalParams& w) {
  const EvalTables& t = eval_tables();
  const Color them = ~us;
  const Bitboard ours = pos.pieces(us, Pawn), theirs = pos.pieces(them, Pawn);
  Pair score;
  Bitboard b = ours;
  while (b) {
    Square s = pop_lsb(b);
    int f = file_of(s);
    bool isolated = !(t.adjacent_files[f] & ours);
    bool doubled = (t.forward_file[us][s] & ours) != 0;
    bool connected = (pawn_attacks(them, s) | (king_attacks(s) & rank_bb(rank_of(s)))) & ours;
    if (isolated) score += w.isolated;
    if (doubled) score += w.doubled;
    if (connected) score += w.connected;
    // Backward: no friendly pawn beside or behind on the neighbouring files,
    // and the square in front is covered by an enemy pawn.
    if (!isolated && !connected) {
      Square stop = forward(us, s);
      Bitboard support = t.passed_mask[them][stop] & t.adjacent_files[f] & ours;
      if (!support && (pawn_attacks(us, stop) & theirs)) score += w.backward;
    }
    if (!(t.passed_mask[us][s] & theirs) && !doubled) passed |= square_bb(s);
  }
  return score + shelter_and_storm(pos, us, w);
}

}  // namespace

const PawnCache::Entry& pawn_structure(const Position& pos, PawnCache& cache, const EvalParams& w) {
  PawnCache::Entry& entry = cache.slot(pos.pawn_key());
  if (entry.key != pos.pawn_key()) {
    Bitboard passed = 0;
    Pair white = structure(pos, White, passed, w);
    Pair black = structure(pos, Black, passed, w);
    entry = {pos.pawn_key(), white - black, passed};
  }
  return entry;
}

Pair passed_pawns(const Position& pos, Color us, Bitboard passed, const EvalParams& w) {
  const EvalTables& t = eval_tables();
  const Color them = ~us;
  const bool lone_king_ahead = non_pawn_material(pos, them) == 0;
  Pair score;
  while (passed) {
    Square s = pop_lsb(passed);
    int r = relative_rank(us, s);
    Pair bonus = w.passed[r - 1];
    Square stop = forward(us, s);
    if (r >= 3) {
      int weight = r - 2;
      bonus += w.passed_enemy_king_distance * (distance(stop, pos.king_square(them)) * weight);
      bonus += w.passed_own_king_distance * (distance(stop, pos.king_square(us)) * weight);
      if (pos.piece_on(stop) != NoPiece) bonus = {bonus.mg / 2, bonus.eg / 2};
      else if (!(t.forward_file[us][s] & pos.pieces(them))) bonus += w.passed_free_path * weight;
    }
    // The rule of the square: a bare king that cannot reach the queening
    // square in time lets the pawn through.
    if (lone_king_ahead) {
      Square promo = make_square(file_of(s), us == White ? 7 : 0);
      int pawn_moves = 7 - r - (r == 1 ? 1 : 0);
      int king_moves = distance(promo, pos.king_square(them)) - (pos.side_to_move() == them ? 1 : 0);
      if (king_moves > pawn_moves) bonus.eg += UnstoppablePawn;
    }
    score += bonus;
  }
  return score;
}

}  // namespace tolvane
