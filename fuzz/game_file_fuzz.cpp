// Game files through loading: the reader cuts any bytes into lines, each is replayed as a user
// move the way loading does it, until a line names no move.
#include <cstring>

#include "fuzz/fuzz_support.h"
#include "ui/files/game_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ConsoleSession& game = fresh_game(false);
  GameFileReader file;
  require(file.open(QString::fromStdString(scratch_file(data, size))) == 0, "a scratch file would not open");
  // Byte 0 holds the command letter, as in loading.
  char command[500] = "b";
  while (file.read_line(command + 1, 497)) {
    require(strnlen(command + 1, 497) <= 496, "a line read overran its 496 characters");
    if (!game.run(command).message.empty()) break;
  }
  require(file.read_failure() == 0, "reading a plain file failed");
  return 0;
}
