// Finds, for every square, a multiplier that hashes each blocker set of a bishop or rook without a
// harmful collision, and prints them as tolvane/board/magic_multipliers.h. The search is seeded, so
// a run prints the same numbers each time; the engine only reads the result.
#include <cstdint>
#include <cstdio>
#include <vector>

#include "board/attacks.h"
#include "board/bitboard.h"

namespace {

using tolvane::Bitboard;

// Small deterministic generator; sparse candidates find magics fastest.
struct Xorshift {
  std::uint64_t state;
  std::uint64_t next() {
    state ^= state >> 12;
    state ^= state << 25;
    state ^= state >> 27;
    return state * 2685821657736338717ULL;
  }
  std::uint64_t sparse() { return next() & next() & next(); }
};

bool hashes_without_collision(Bitboard mask, Bitboard multiplier, const std::vector<Bitboard>& blockers,
                              const std::vector<Bitboard>& attacks) {
  const int shift = 64 - tolvane::popcount(mask);
  std::vector<Bitboard> seen(std::size_t(1) << (64 - shift), 0);
  std::vector<bool> filled(seen.size(), false);
  for (std::size_t i = 0; i < blockers.size(); ++i) {
    const auto index = std::size_t((blockers[i] * multiplier) >> shift);
    if (!filled[index]) {
      filled[index] = true;
      seen[index] = attacks[i];
    } else if (seen[index] != attacks[i]) {
      return false;
    }
  }
  return true;
}

Bitboard find_multiplier(tolvane::PieceType type, tolvane::Square s, Xorshift& rng) {
  const Bitboard mask = tolvane::slider_mask(type, s);
  std::vector<Bitboard> blockers, attacks;
  Bitboard subset = 0;
  do {  // every subset of the mask (carry-rippler)
    blockers.push_back(subset);
    attacks.push_back(tolvane::slow_slider_attacks(type, s, subset));
    subset = (subset - mask) & mask;
  } while (subset);
  for (;;) {
    const Bitboard candidate = rng.sparse();
    if (tolvane::popcount((mask * candidate) >> 56) < 6) continue;
    if (hashes_without_collision(mask, candidate, blockers, attacks)) return candidate;
  }
}

void print_table(tolvane::PieceType type, const char* name) {
  Xorshift rng{0x9E3779B97F4A7C15ULL ^ std::uint64_t(type)};
  std::printf("inline constexpr Bitboard %s[64] = {\n", name);
  for (tolvane::Square s = 0; s < 64; ++s)
    std::printf("%s0x%016llXULL,%s", s % 2 == 0 ? "    " : " ",
                static_cast<unsigned long long>(find_multiplier(type, s, rng)), s % 2 == 1 ? "\n" : "");
  std::printf("};\n");
}

}  // namespace

int main() {
  std::printf(
      "// Made by tools/magics (tolvane-find-magics > tolvane/board/magic_multipliers.h); do not edit.\n"
      "#pragma once\n\n#include \"types.h\"\n\nnamespace tolvane {\n\n");
  print_table(tolvane::Bishop, "BISHOP_MULTIPLIERS");
  std::printf("\n");
  print_table(tolvane::Rook, "ROOK_MULTIPLIERS");
  std::printf("\n}  // namespace tolvane\n");
}
