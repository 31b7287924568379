// Cost of the engine link itself: a line there and back through an engine that echoes it, and a
// whole start and shut-down.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <string>

#include "engine/engine_link.h"

namespace {

void BM_LineRoundTrip(benchmark::State& state) {
  setenv("TOLVANE_ENGINE", "cat", 1);
  EngineLink link;
  link.start_engine(0);
  if (link.start_status != 0) {
    state.SkipWithError("cat could not be started");
    return;
  }
  const std::string text(static_cast<size_t>(state.range(0)), 'x');
  char line[ABOUT_TEXT_SIZE];
  for (auto _ : state) {
    link.send_line(text.c_str());
    benchmark::DoNotOptimize(link.read_line(line, sizeof line));
  }
  state.SetItemsProcessed(state.iterations());
  unsetenv("TOLVANE_ENGINE");
}

void BM_StartAndShutDown(benchmark::State& state) {
  setenv("TOLVANE_ENGINE", "cat", 1);
  EngineLink link;
  for (auto _ : state) {
    link.start_engine(0);
    link.shut_down();
  }
  unsetenv("TOLVANE_ENGINE");
}

BENCHMARK(BM_LineRoundTrip)->Arg(10)->Arg(80)->Arg(2000);
BENCHMARK(BM_StartAndShutDown)->Unit(benchmark::kMillisecond);

}  // namespace
