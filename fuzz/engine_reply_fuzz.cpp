// Whatever an engine prints, through the engine link into the game: the input's first byte picks
// what the user does, the rest is the engine's whole output, greeting included, played back by
// a program that ignores what it is sent.
#include "fuzz/fuzz_support.h"

#include <cstdlib>
#include <vector>

namespace {

// Each list starts with "V", which starts the engine and reads its greeting.
const std::vector<std::vector<std::string>> USER_ACTIONS = {
    {"V", "c1"},
    {"V", "Be2e4", "c2"},
    {"V", "Ze2e4", "Zd2d4", "c3"},
    {"V", "Y"},
    {"V", "0", "c4"},
    // Fool's mate, then a move in the finished game: the wait for a result line.
    {"V", "Bf2f3", "Be7e5", "Bg2g4", "Bd8h4", "Ba2a3", "c1"},
    {"V", "Bg1f3", "c1", "9", "c1", "X"},
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::vector<std::string>& actions = USER_ACTIONS[data[0] % USER_ACTIONS.size()];
  setenv("TOLVANE_ENGINE", ("cat " + scratch_file(data + 1, size - 1)).c_str(), 1);
  run_commands(fresh_game(true), actions);
  return 0;
}
