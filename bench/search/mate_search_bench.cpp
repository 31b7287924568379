// Time and positions entered to find a mate in three by iterative deepening.
#include <benchmark/benchmark.h>

#include "driver/game_core.h"
#include "driver/interpreter_state.h"
#include "search/mate_search.h"
#include "tools/perft/fen_board.h"

namespace {

void find_mate(benchmark::State& bench, const char* fen) {
  ResetPool(&game_core, &game_core.pool);
  game_board().Fast_mode = 0;
  PositionNode* node = base_node_from_fen(fen, &game_core);
  GameState state{&game_board(), attacked_by_white, attacked_by_black, 0};
  uint64_t nodes = 0;
  for (auto _ : bench) {
    const uint64_t before = mate_search_nodes;
    if (search_mate_by_deepening(node, &game_core, &state) != 1) bench.SkipWithError("no mate found");
    nodes = mate_search_nodes - before;
  }
  bench.counters["nodes"] = static_cast<double>(nodes);
  bench.counters["nodes_per_second"] =
      benchmark::Counter(static_cast<double>(nodes) * bench.iterations(), benchmark::Counter::kIsRate);
}

void BM_MateInThreeQuietFirstMove(benchmark::State& bench) {
  find_mate(bench, "r5rk/5p1p/5R2/4B3/8/8/7P/7K w - - 0 1");
}
BENCHMARK(BM_MateInThreeQuietFirstMove)->Unit(benchmark::kMillisecond);

void BM_MateInTwoAfterLegalsTrap(benchmark::State& bench) {
  find_mate(bench, "rn1qkbnr/ppp2p1p/3p2p1/4N3/2B1P3/2N5/PPPP1PPP/R1BbK2R w KQkq - 0 6");
}
BENCHMARK(BM_MateInTwoAfterLegalsTrap)->Unit(benchmark::kMillisecond);

}  // namespace
