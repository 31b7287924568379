// Static evaluation: a tapered sum of middle-game and end-game terms
// (material, piece squares, pawn structure and passed pawns, piece activity,
// king safety, threats), blended by the material left on the board and
// corrected by end-game knowledge.
#pragma once

#include "board/position.h"
#include "search/eval_params.h"
#include "search/eval_pawns.h"

namespace tolvane {

// Centipawns from the side to move's point of view.
int evaluate(const Position& pos, PawnCache& cache, const EvalParams& weights = tuned_params());

// Material of the side's pieces other than pawns and king, for null-move and
// draw decisions.
int non_pawn_material(const Position& pos, Color c);

}  // namespace tolvane
