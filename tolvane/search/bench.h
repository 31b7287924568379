// A fixed benchmark: varied positions searched to a fixed depth with a fresh
// table each, so the node total is a fingerprint of the search and changes
// only when the search does.
#pragma once

#include <cstdint>
#include <ostream>

namespace tolvane {

constexpr int BenchDepth = 10;

struct BenchResult {
  std::uint64_t nodes = 0;
  std::int64_t time_ms = 0;
  std::uint64_t nodes_per_second = 0;
};

// Prints one line per position, then "Nodes searched: N" and
// "Nodes per second: M" to out.
BenchResult run_bench(std::ostream& out, int depth = BenchDepth);

}  // namespace tolvane
