// End-game knowledge the general terms miss: material that rarely wins, and
// how to drive a bare king into the corner for mate.
#pragma once

#include "board/position.h"

namespace tolvane {

// The blended evaluation (White's view) corrected for drawish material and
// for a bare king facing a mating force.
int endgame_adjusted(const Position& pos, int value, int phase);

}  // namespace tolvane
