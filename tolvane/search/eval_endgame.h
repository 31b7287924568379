// End-game knowledge the general terms miss: material that rarely wins, and
// how to drive a bare king into the corner for mate.
#pragma once

#include "board/position.h"

namespace tolvane {

// The blended evaluation (White's view) corrected for drawish material and
// for a bare king facing a mating force.
int endgame_adjusted(const Position& pos, int value, int phase);

// Without pawns, a lead of less than a rook rarely wins (a lone minor piece
// never): such a lead of `strong` counts an eighth.
constexpr int RarelyWinsDivisor = 8;
bool rarely_wins(const Position& pos, Color strong);

}  // namespace tolvane
