// Speed of the rules core's generator, filter and tree operations, measured as perft leaves per second.
#include <benchmark/benchmark.h>

#include "tools/perft/fen_board.h"
#include "tools/perft/perft.h"

namespace {

NodePool pool;

void perft_of(benchmark::State& state, const char* fen) {
  PoolCursor cursor{};
  ResetPool(&cursor, &pool);
  PositionNode* node = base_node_from_fen(fen, &cursor);
  const int depth = static_cast<int>(state.range(0));
  uint64_t leaves = 0;
  for (auto _ : state) leaves += perft(node, &cursor, &game_board(), depth);
  state.counters["leaves/s"] = benchmark::Counter(static_cast<double>(leaves), benchmark::Counter::kIsRate);
}

void BM_PerftInitial(benchmark::State& state) {
  perft_of(state, "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");
}
void BM_PerftKiwipete(benchmark::State& state) {
  perft_of(state, "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1");
}

BENCHMARK(BM_PerftInitial)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PerftKiwipete)->Arg(3)->Unit(benchmark::kMillisecond);

}  // namespace
