// A small network that corrects the hand-written evaluation: one hidden
// layer seen from both sides. Each side's half sums the weight rows of the
// pieces on the board, read from that side's point of view; the output
// weighs the clipped sums of the side to move and of the other side. Weights
// are integers, so evaluation needs no floating point; the trainer in
// tools/nettrainer writes them.
//
// A move changes at most four rows, so the search keeps the sums of each
// ply and updates them from the ply before instead of adding all pieces.
#pragma once

#include <array>
#include <cstdint>

#include "board/position.h"

namespace tolvane::network {

constexpr int Inputs = 768;  // 12 pieces x 64 squares
constexpr int Hidden = 128;
constexpr int ActivationScale = 255;  // a hidden value of 1.0
constexpr int OutputScale = 256;      // an output weight of 1.0
// The output weighs the hidden values by how many pieces are left: a set of
// output weights for each four men on the board.
constexpr int OutputBuckets = 8;
constexpr int output_bucket(int men) { return (men - 1) / 4 < OutputBuckets ? (men - 1) / 4 : OutputBuckets - 1; }

struct Weights {
  std::array<std::int16_t, Inputs * Hidden> input;  // row per feature
  std::array<std::int16_t, Hidden> bias;
  std::array<std::int16_t, OutputBuckets * 2 * Hidden> output;  // by bucket, side to move's half first
  std::array<std::int32_t, OutputBuckets> output_bias;          // in ActivationScale * OutputScale units
  std::int32_t centipawns;                      // an output of 1.0 in centipawns
};

extern const Weights trained;

// The feature of piece p on square s seen by `side`: own pieces first, the
// board turned for Black so that both sides see their pieces march up.
constexpr int feature(Color side, Piece p, Square s) {
  const int own = color_of(p) == side ? 0 : 6;
  return ((own + type_of(p)) * 64 + (side == White ? s : s ^ 56));
}

// The hidden sums of White's half and of Black's half.
struct Accumulator {
  alignas(32) std::array<std::int16_t, Hidden> half[2];
};

// The pieces a move takes off and puts on the board.
struct Delta {
  struct Placed {
    Piece piece;
    Square square;
  };
  Placed removed[2], added[2];
  int removed_count = 0, added_count = 0;
};

// For a legal move of the side to move in `pos`, before it is made.
Delta delta_of(const Position& pos, Move m);

void refresh(const Position& pos, Accumulator& acc, const Weights& weights = trained);
void update(const Accumulator& before, const Delta& delta, Accumulator& after, const Weights& weights = trained);

// Centipawns from the point of view of the side to move of `pos`, whose sums `acc` are.
int output(const Accumulator& acc, const Position& pos, const Weights& weights = trained);

// The same without kept sums: all pieces added up.
int evaluate(const Position& pos, const Weights& weights = trained);

}  // namespace tolvane::network
