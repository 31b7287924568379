#include "zobrist.h"

namespace tolvane {
namespace {

// splitmix64: fixed seed, so keys (and the bench) are the same on every run.
struct SplitMix {
  std::uint64_t state = 0x2545F4914F6CDD1DULL;
  std::uint64_t next() {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
};

ZobristKeys build() {
  SplitMix rng;
  ZobristKeys k{};
  for (auto& piece : k.piece_square)
    for (Key& key : piece) key = rng.next();
  // Castling keys combine per right so that any subset is the xor of its bits.
  Key single[4];
  for (Key& key : single) key = rng.next();
  for (int rights = 0; rights < 16; ++rights)
    for (int bit = 0; bit < 4; ++bit)
      if (rights & (1 << bit)) k.castling[rights] ^= single[bit];
  for (Key& key : k.en_passant_file) key = rng.next();
  k.black_to_move = rng.next();
  return k;
}

}  // namespace

const ZobristKeys zobrist = build();

}  // namespace tolvane
