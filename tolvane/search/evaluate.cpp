#include "search/evaluate.h"

#include "search/eval_endgame.h"
#include "search/eval_pieces.h"
#include "search/eval_tables.h"
#include "search/network.h"

namespace tolvane {
namespace {

constexpr int PhaseWeight[6] = {0, 1, 1, 2, 4, 0};
constexpr int FullPhase = 24;

// The network's correction obeys the rule of drawish material too where it
// holds for both sides, as the correction may point either way.
int network_share(const Position& pos, int correction) {
  return rarely_wins(pos, White) && rarely_wins(pos, Black) ? correction / RarelyWinsDivisor : correction;
}

}  // namespace

int non_pawn_material(const Position& pos, Color c) {
  return popcount(pos.pieces(c, Knight)) * SeeValue[Knight] + popcount(pos.pieces(c, Bishop)) * SeeValue[Bishop] +
         popcount(pos.pieces(c, Rook)) * SeeValue[Rook] + popcount(pos.pieces(c, Queen)) * SeeValue[Queen];
}

int evaluate(const Position& pos, PawnCache& cache, const network::Accumulator& sums) {
  return classical_evaluate(pos, cache) + network_share(pos, network::output(sums, pos));
}

int evaluate(const Position& pos, PawnCache& cache) {
  return classical_evaluate(pos, cache) + network_share(pos, network::evaluate(pos));
}

int classical_evaluate(const Position& pos, PawnCache& cache, const EvalParams& w) {
  Pair score;
  int phase = 0;
  for (Color c : {White, Black}) {
    Pair side;
    for (PieceType pt = Pawn; pt <= King; pt = PieceType(pt + 1)) {
      Bitboard b = pos.pieces(c, pt);
      phase += PhaseWeight[pt] * popcount(b);
      if (pt != King) side += w.material[pt] * popcount(b);
      while (b) side += w.psq[pt][relative_square(c, pop_lsb(b))];
    }
    if (more_than_one(pos.pieces(c, Bishop))) side += w.bishop_pair;
    if (c == White) score += side;
    else score -= side;
  }

  const PawnCache::Entry& pawns = pawn_structure(pos, cache, w);
  score += pawns.score;
  score += passed_pawns(pos, White, pawns.passed & pos.pieces(White), w);
  score -= passed_pawns(pos, Black, pawns.passed & pos.pieces(Black), w);
  score += piece_terms(pos, w);
  score += pos.side_to_move() == White ? w.tempo : w.tempo * -1;

  phase = std::min(phase, FullPhase);
  int value = (score.mg * phase + score.eg * (FullPhase - phase)) / FullPhase;
  value = endgame_adjusted(pos, value, phase);
  return pos.side_to_move() == White ? value : -value;
}

}  // namespace tolvane
