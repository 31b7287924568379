// Static evaluation: hand-written terms whose weights are fitted to the
// engine's games, and a small network trained to correct them.
#pragma once

#include "board/position.h"
#include "search/eval_params.h"
#include "search/eval_pawns.h"
#include "search/network.h"

namespace tolvane {

// Centipawns from the side to move's point of view: the hand-written terms
// corrected by the network, whose sums for `pos` are `sums`.
int evaluate(const Position& pos, PawnCache& cache, const network::Accumulator& sums);
int evaluate(const Position& pos, PawnCache& cache);

// The hand-written terms alone, with the given weights: a tapered sum of
// middle-game and end-game terms (material, piece squares, pawn structure and
// passed pawns, piece activity, king safety, threats), blended by the material
// left on the board and corrected by end-game knowledge.
int classical_evaluate(const Position& pos, PawnCache& cache, const EvalParams& weights = tuned_params());

// Material of the side's pieces other than pawns and king, for null-move and
// draw decisions.
int non_pawn_material(const Position& pos, Color c);

}  // namespace tolvane
