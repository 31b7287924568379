// The engine program tolvane.exe: greets, then speaks the chess program's
// dialogue and xboard, or UCI when the first command is "uci".
// "tolvane.exe bench" prints the node count of the fixed benchmark.
#include <cstring>
#include <iostream>
#include <memory>

#include "protocol/engine_options.h"
#include "protocol/input.h"
#include "protocol/output.h"
#include "protocol/uci.h"
#include "protocol/xboard.h"
#include "search/bench.h"

int main(int argc, char** argv) {
  using namespace tolvane;
  if (answer_standard_option(argc, argv, ENGINE_PROGRAM, std::cout)) return 0;
  if (argc > 1 && std::strcmp(argv[1], "bench") == 0) {
    run_bench(std::cout, argc > 2 ? std::max(1, std::atoi(argv[2])) : BenchDepth);
    return 0;
  }
  // The chess program takes "info" lines from their twelfth character on as
  // its about text, then reads exactly two further lines.
  say("info about Tolvane 1.0");
  say("info about a chess engine of its own: bitboards, alpha-beta search");
  say("info about by the Tolvane developers");
  say("Tolvane ready.");
  say("Commands: xboard protocol 2, or uci.");

  CommandQueue queue;
  start_reader(queue);
  Searcher searcher(64);

  std::string first = queue.pop();
  if (first == "uci") {
    UciSession uci(queue, searcher);
    queue.set_filter([&](const std::string& line, const std::deque<std::string>& pending) {
      return uci.filter(line, pending);
    });
    for (std::string line = first;; line = queue.pop()) uci.execute(line);
  }
  XboardSession session(queue, searcher);
  queue.set_filter([&](const std::string& line, const std::deque<std::string>& pending) {
    return session.filter(line, pending);
  });
  for (std::string line = first;; line = queue.pop()) {
    session.execute(line);
    session.use_idle_time();
  }
}
