// The transposition table: what earlier searches learned about a position
// (best move, score bound, depth), shared from move to move in one game and
// by all threads of one search.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>

#include "board/types.h"

namespace tolvane {

enum class Bound : std::uint8_t { None = 0, Upper = 1, Lower = 2, Exact = 3 };

struct TTEntry {
  std::uint16_t move = 0;
  std::int16_t score = 0;
  std::int16_t eval = 0;
  std::int8_t depth = 0;
  std::uint8_t age_bound = 0;  // generation << 2 | bound

  Bound bound() const { return Bound(age_bound & 3); }
};

class TranspositionTable {
 public:
  explicit TranspositionTable(std::size_t megabytes) { resize(megabytes); }
  void resize(std::size_t megabytes);
  void clear();
  // A new search: older entries become the first to be replaced.
  void new_search() { generation_ = (generation_ + 1) & 63; }

  // What the table knows of the position, if anything.
  std::optional<TTEntry> probe(Key key) const;
  // Starts loading the position's bucket into the cache ahead of its probe.
  void prefetch(Key key) const { __builtin_prefetch(&bucket(key)); }
  void store(Key key, Move move, int score, int eval, int depth, Bound bound);

 private:
  // Threads read and write slots without a lock. A slot keeps the key xor-ed
  // with its data, so a slot torn by two writers matches no key.
  struct Slot {
    std::atomic<std::uint64_t> key_xor_data{0};
    std::atomic<std::uint64_t> data{0};
  };
  static constexpr int BucketSize = 4;
  struct alignas(64) Bucket {
    Slot slots[BucketSize];
  };
  std::unique_ptr<Bucket[]> buckets_;
  std::size_t bucket_count_ = 0;
  std::uint8_t generation_ = 0;
  Bucket& bucket(Key key) const { return buckets_[key & (bucket_count_ - 1)]; }
};

// Mate scores are stored relative to the node, not the root, so that they
// stay right when the same position is reached at another ply.
int score_to_table(int score, int ply);
int score_from_table(int score, int ply);

}  // namespace tolvane
