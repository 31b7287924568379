// The engine program tolvane.exe: greets, then speaks the chess program's
// dialogue and xboard, or UCI when the first command is "uci".
// "tolvane.exe bench" prints the node count of the fixed benchmark.
#include <cstring>
#include <iostream>
#include <memory>

#include "common/engine_words.h"
#include "protocol/engine_options.h"
#include "protocol/output.h"
#include "protocol/uci.h"
#include "protocol/xboard.h"
#include "search/bench.h"

namespace {

constexpr std::size_t HashMb = 64;

// The chess program takes "info" lines from their twelfth character on as
// its about text, then reads exactly two further lines.
void greet() {
  using tolvane::say;
  say("info about " + std::string(ENGINE_NAME_AND_VERSION));
  say("info about a chess engine of its own: bitboards, alpha-beta search");
  say("info about by the Tolvane developers");
  say("Tolvane ready.");
  say("Commands: xboard protocol 2, or uci.");
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tolvane;
  if (answer_standard_option(argc, argv, ENGINE_PROGRAM, std::cout)) return 0;
  if (argc > 1 && std::strcmp(argv[1], "bench") == 0) {
    run_bench(std::cout, argc > 2 ? std::max(1, std::atoi(argv[2])) : BenchDepth);
    return 0;
  }
  greet();
  CommandQueue queue;
  start_reader(queue);
  Searcher searcher(HashMb);
  const std::string first = queue.pop();
  std::unique_ptr<Session> session;
  if (first == "uci") session = std::make_unique<UciSession>(queue, searcher);
  else session = std::make_unique<XboardSession>(queue, searcher);
  run_session(*session, queue, first);
}
