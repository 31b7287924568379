// Training examples: the tuner's data lines turned into the network's
// features, with the search's score, the game's result and the hand-written
// evaluation, all from the side to move's point of view.
#pragma once

#include <cstdint>
#include <istream>
#include <vector>

#include "board/position.h"
#include "search/eval_pawns.h"

namespace tolvane::nettraining {

struct Example {
  std::uint16_t mine[32];    // features seen by the side to move
  std::uint16_t theirs[32];  // the same pieces seen by the other side
  std::uint8_t pieces = 0;
  std::int16_t score = 0;  // centipawns
  std::int16_t base = 0;   // the hand-written evaluation, which the network corrects
  float result = 0;        // 1 won, 0.5 drawn, 0 lost
};

Example make_example(const Position& pos, int white_score, double white_result, PawnCache& cache);

// Reads "<fen>;<result>;<score>" lines, both numbers from White's point of
// view; lines without a score or with a mate score are skipped. The
// positions themselves are kept when `positions` is given.
std::vector<Example> read_examples(std::istream& in, std::vector<Position>* positions = nullptr);

}  // namespace tolvane::nettraining
