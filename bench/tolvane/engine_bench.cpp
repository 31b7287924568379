// Speed of the engine program: leaf counting of its move generator (bulk
// counted at the last ply) and nodes per second of its search.
#include <benchmark/benchmark.h>

#include "board/movegen.h"
#include "search/network.h"
#include "search/search.h"

namespace tolvane {
namespace {

constexpr const char* Kiwipete = "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1";

void BM_PerftInitial(benchmark::State& state) {
  Position pos = Position::start();
  std::uint64_t leaves = 0;
  for (auto _ : state) leaves += perft(pos, 5);
  state.counters["leaves/s"] = benchmark::Counter(double(leaves), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PerftInitial)->Unit(benchmark::kMillisecond);

void BM_PerftKiwipete(benchmark::State& state) {
  Position pos = *Position::from_fen(Kiwipete);
  std::uint64_t leaves = 0;
  for (auto _ : state) leaves += perft(pos, 4);
  state.counters["leaves/s"] = benchmark::Counter(double(leaves), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PerftKiwipete)->Unit(benchmark::kMillisecond);

// Static evaluations per second of a middle-game position, the pawn cache warm.
void BM_EvaluateClassical(benchmark::State& state) {
  const Position pos = *Position::from_fen(Kiwipete);
  PawnCache cache;
  for (auto _ : state) benchmark::DoNotOptimize(classical_evaluate(pos, cache));
}
BENCHMARK(BM_EvaluateClassical);

void BM_EvaluateNetwork(benchmark::State& state) {
  const Position pos = *Position::from_fen(Kiwipete);
  for (auto _ : state) benchmark::DoNotOptimize(network::evaluate(pos));
}
BENCHMARK(BM_EvaluateNetwork);

// Searches pos to the benchmark's depth argument and reports nodes per second.
void search_to_depth(benchmark::State& state, const Position& pos) {
  std::uint64_t nodes = 0;
  for (auto _ : state) {
    Searcher searcher(16);
    SearchControl control;
    SearchLimits limits;
    limits.depth = int(state.range(0));
    nodes += searcher.think(pos, limits, control).nodes;
  }
  state.counters["nodes/s"] = benchmark::Counter(double(nodes), benchmark::Counter::kIsRate);
}

void BM_SearchMiddlegame(benchmark::State& state) { search_to_depth(state, *Position::from_fen(Kiwipete)); }
BENCHMARK(BM_SearchMiddlegame)->Arg(10)->Unit(benchmark::kMillisecond);

void BM_SearchOpening(benchmark::State& state) { search_to_depth(state, Position::start()); }
BENCHMARK(BM_SearchOpening)->Arg(12)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tolvane
