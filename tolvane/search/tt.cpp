#include "search/tt.h"

#include <algorithm>

namespace tolvane {

void TranspositionTable::resize(std::size_t megabytes) {
  std::size_t count = std::max<std::size_t>(1, megabytes) * 1024 * 1024 / sizeof(Bucket);
  std::size_t power = 1;
  while (power * 2 <= count) power *= 2;
  buckets_.assign(power, Bucket{});
}

void TranspositionTable::clear() {
  std::fill(buckets_.begin(), buckets_.end(), Bucket{});
  generation_ = 0;
}

const TTEntry* TranspositionTable::probe(Key key) const {
  const std::uint32_t check = std::uint32_t(key >> 32);
  for (const TTEntry& e : bucket(key).entries)
    if (e.check == check && e.bound() != Bound::None) return &e;
  return nullptr;
}

void TranspositionTable::store(Key key, Move move, int score, int eval, int depth, Bound bound) {
  const std::uint32_t check = std::uint32_t(key >> 32);
  Bucket& b = bucket(key);
  TTEntry* target = &b.entries[0];
  int worst = 1 << 30;
  for (TTEntry& e : b.entries) {
    if (e.check == check || e.bound() == Bound::None) {
      target = &e;
      break;
    }
    // Replace the shallowest entry, entries of earlier searches first.
    int age = (generation_ - (e.age_bound >> 2)) & 63;
    int worth = e.depth - 8 * age;
    if (worth < worst) {
      worst = worth;
      target = &e;
    }
  }
  // Keep a deeper result for the same position unless this one is exact.
  if (target->check == check && target->bound() != Bound::None && bound != Bound::Exact &&
      depth + 2 < target->depth && (target->age_bound >> 2) == generation_) {
    if (!move.is_none()) target->move = move.bits();
    return;
  }
  if (move.is_none() && target->check == check) move = Move::from_bits(target->move);
  target->check = check;
  target->move = move.bits();
  target->score = std::int16_t(score);
  target->eval = std::int16_t(eval);
  target->depth = std::int8_t(std::clamp(depth, -1, 127));
  target->age_bound = std::uint8_t(generation_ << 2 | std::uint8_t(bound));
}

int score_to_table(int score, int ply) {
  if (score >= MateBound) return score + ply;
  if (score <= -MateBound) return score - ply;
  return score;
}

int score_from_table(int score, int ply) {
  if (score >= MateBound) return score - ply;
  if (score <= -MateBound) return score + ply;
  return score;
}

}  // namespace tolvane
