#include "search/network.h"

#include <algorithm>

// The loops over a hidden half are compiled twice, the wider vector
// instructions taken where the processor has them.
#if defined(__x86_64__) && defined(__GNUC__)
#define TOLVANE_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define TOLVANE_VECTOR_CLONES
#endif

namespace tolvane::network {
namespace {

using Half = std::array<std::int16_t, Hidden>;

inline void add_row(Half& half, const std::int16_t* row) {
  for (int i = 0; i < Hidden; ++i) half[i] = std::int16_t(half[i] + row[i]);
}

inline void sub_row(Half& half, const std::int16_t* row) {
  for (int i = 0; i < Hidden; ++i) half[i] = std::int16_t(half[i] - row[i]);
}

inline std::int32_t weigh(const Half& half, const std::int16_t* out) {
  std::int32_t sum = 0;
  for (int i = 0; i < Hidden; ++i) sum += std::clamp<std::int32_t>(half[i], 0, ActivationScale) * out[i];
  return sum;
}

inline const std::int16_t* row(const Weights& w, Color side, Piece p, Square s) {
  return &w.input[feature(side, p, s) * Hidden];
}

}  // namespace

Delta delta_of(const Position& pos, Move m) {
  Delta d;
  const Square from = m.from(), to = m.to();
  const Piece moving = pos.piece_on(from);
  d.removed[d.removed_count++] = {moving, from};
  if (m.kind() == MoveKind::Castling) {
    const bool king_side = to > from;
    const Piece rook = pos.piece_on(king_side ? from + 3 : from - 4);
    d.removed[d.removed_count++] = {rook, king_side ? from + 3 : from - 4};
    d.added[d.added_count++] = {rook, king_side ? from + 1 : from - 1};
  } else if (m.kind() == MoveKind::EnPassant) {
    const Square victim = make_square(file_of(to), rank_of(from));
    d.removed[d.removed_count++] = {pos.piece_on(victim), victim};
  } else if (pos.piece_on(to) != NoPiece) {
    d.removed[d.removed_count++] = {pos.piece_on(to), to};
  }
  const Piece arriving = m.kind() == MoveKind::Promotion ? make_piece(color_of(moving), m.promotion()) : moving;
  d.added[d.added_count++] = {arriving, to};
  return d;
}

TOLVANE_VECTOR_CLONES
void refresh(const Position& pos, Accumulator& acc, const Weights& w) {
  for (Color side : {White, Black}) {
    Half half = w.bias;  // a local the compiler may keep in registers
    for (Bitboard b = pos.pieces(); b;) {
      const Square s = pop_lsb(b);
      add_row(half, row(w, side, pos.piece_on(s), s));
    }
    acc.half[side] = half;
  }
}

TOLVANE_VECTOR_CLONES
void update(const Accumulator& before, const Delta& d, Accumulator& after, const Weights& w) {
  after = before;
  for (Color side : {White, Black}) {
    for (int i = 0; i < d.removed_count; ++i) sub_row(after.half[side], row(w, side, d.removed[i].piece, d.removed[i].square));
    for (int i = 0; i < d.added_count; ++i) add_row(after.half[side], row(w, side, d.added[i].piece, d.added[i].square));
  }
}

TOLVANE_VECTOR_CLONES
int output(const Accumulator& acc, const Position& pos, const Weights& w) {
  const Color us = pos.side_to_move();
  const int bucket = output_bucket(popcount(pos.pieces()));
  const std::int16_t* out = w.output.data() + bucket * 2 * Hidden;
  const std::int64_t sum = weigh(acc.half[us], out) + weigh(acc.half[~us], out + Hidden) + w.output_bias[bucket];
  return int(sum * w.centipawns / (ActivationScale * OutputScale));
}

int evaluate(const Position& pos, const Weights& w) {
  Accumulator acc;
  refresh(pos, acc, w);
  return output(acc, pos, w);
}

}  // namespace tolvane::network
