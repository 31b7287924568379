// Piece activity and the fight between the pieces: mobility, files, outposts,
// attacks on the king and threats against pieces.
#pragma once

#include "board/position.h"
#include "search/eval_params.h"

namespace tolvane {

// White's minus Black's piece terms.
Pair piece_terms(const Position& pos, const EvalParams& w);

}  // namespace tolvane
