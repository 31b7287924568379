// Any sequence of interpreter commands, one per line, console commands included, with a scripted
// engine behind them that answers every move and every "go" with a move of its own.
#include "fuzz/fuzz_support.h"
#include "tests/stand_in_engine/stand_in_engine_client.h"

namespace {

// Greets as the real engine does, draws a board for "showboard" and answers "go" and every
// move it is sent (any line that starts with a square) with a move of its own.
std::string engine_script() {
  std::string script =
      "greet info about stand-in engine\ngreet ready\ngreet commands\n"
      "always go => move e7e5\n"
      "always showboard => r n b q k b n r | p p p p p p p p | . | . | . | . | P P P P P P P P | "
      "R N B Q K B N R | white\n";
  for (char file = 'a'; file <= 'h'; ++file)
    for (char rank = '1'; rank <= '8'; ++rank) script += std::string("always ") + file + rank + "* => move e7e5\n";
  return script;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static StandInEngine engine(engine_script());
  run_commands(fresh_game(true), input_lines(data, size));
  return 0;
}
