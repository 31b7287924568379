#include "search/tt.h"

#include <algorithm>

namespace tolvane {
namespace {

std::uint64_t pack(const TTEntry& e) {
  return std::uint64_t(e.move) | std::uint64_t(std::uint16_t(e.score)) << 16 |
         std::uint64_t(std::uint16_t(e.eval)) << 32 | std::uint64_t(std::uint8_t(e.depth)) << 48 |
         std::uint64_t(e.age_bound) << 56;
}

TTEntry unpack(std::uint64_t data) {
  return TTEntry{std::uint16_t(data), std::int16_t(data >> 16), std::int16_t(data >> 32), std::int8_t(data >> 48),
                 std::uint8_t(data >> 56)};
}

// The slot's data and whether it holds the key: relaxed loads suffice, the
// xor check catches a slot another thread wrote in between.
std::optional<TTEntry> read(const std::atomic<std::uint64_t>& key_xor_data, const std::atomic<std::uint64_t>& data,
                            Key key) {
  const std::uint64_t d = data.load(std::memory_order_relaxed);
  if ((key_xor_data.load(std::memory_order_relaxed) ^ d) != key) return std::nullopt;
  const TTEntry e = unpack(d);
  if (e.bound() == Bound::None) return std::nullopt;
  return e;
}

}  // namespace

void TranspositionTable::resize(std::size_t megabytes) {
  std::size_t count = std::max<std::size_t>(1, megabytes) * 1024 * 1024 / sizeof(Bucket);
  std::size_t power = 1;
  while (power * 2 <= count) power *= 2;
  buckets_ = std::make_unique<Bucket[]>(power);
  bucket_count_ = power;
}

void TranspositionTable::clear() {
  for (std::size_t i = 0; i < bucket_count_; ++i)
    for (Slot& s : buckets_[i].slots) {
      s.key_xor_data.store(0, std::memory_order_relaxed);
      s.data.store(0, std::memory_order_relaxed);
    }
  generation_ = 0;
}

std::optional<TTEntry> TranspositionTable::probe(Key key) const {
  for (const Slot& s : bucket(key).slots)
    if (auto e = read(s.key_xor_data, s.data, key)) return e;
  return std::nullopt;
}

void TranspositionTable::store(Key key, Move move, int score, int eval, int depth, Bound bound) {
  Bucket& b = bucket(key);
  Slot* target = &b.slots[0];
  std::optional<TTEntry> old;
  int worst = 1 << 30;
  for (Slot& s : b.slots) {
    const std::uint64_t d = s.data.load(std::memory_order_relaxed);
    const TTEntry e = unpack(d);
    if ((s.key_xor_data.load(std::memory_order_relaxed) ^ d) == key || e.bound() == Bound::None) {
      target = &s;
      if (e.bound() != Bound::None) old = e;
      break;
    }
    // Replace the shallowest entry, entries of earlier searches first.
    const int age = (generation_ - (e.age_bound >> 2)) & 63;
    const int worth = e.depth - 8 * age;
    if (worth < worst) {
      worst = worth;
      target = &s;
    }
  }
  TTEntry e{move.bits(), std::int16_t(score), std::int16_t(eval), std::int8_t(std::clamp(depth, -1, 127)),
            std::uint8_t(generation_ << 2 | std::uint8_t(bound))};
  if (old) {
    // Keep a deeper result for the same position unless this one is exact.
    if (bound != Bound::Exact && depth + 2 < old->depth && (old->age_bound >> 2) == generation_) {
      if (move.is_none()) return;
      e = *old;
      e.move = move.bits();
    } else if (move.is_none()) {
      e.move = old->move;
    }
  }
  const std::uint64_t data = pack(e);
  target->data.store(data, std::memory_order_relaxed);
  target->key_xor_data.store(key ^ data, std::memory_order_relaxed);
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
