// Whatever a client sends the engine program, it must still answer: the input's lines go to a real
// engine process (TOLVANE_ENGINE, started through the engine link), speaking UCI when the input's
// first byte is even and xboard otherwise; then "stop" and "isready", or "?" and a "ping", must be
// answered within a few seconds, and the program must still be running.
#include <chrono>
#include <cstdio>

#include "engine/engine_link.h"
#include "fuzz/fuzz_support.h"

namespace {

constexpr auto ANSWER_TIME = std::chrono::seconds(10);

// Reads until a line that equals answer; false when the engine ends or the time passes first.
bool answered(const char* answer) {
  const auto deadline = std::chrono::steady_clock::now() + ANSWER_TIME;
  char line[ENGINE_RESULT_SIZE];
  while (std::chrono::steady_clock::now() < deadline) {
    engine_link.read_line(line, sizeof line);
    std::string text = line;
    if (!text.empty() && text.back() == '\r') text.pop_back();
    if (text == answer) return true;
    if (engine_link.engine_ended()) {
      std::fprintf(stderr, "engine ended; its last line: %s\n", line);
      return false;
    }
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const bool uci = data[0] % 2 == 0;
  engine_link.read_time_limit_ms = 10000;
  engine_link.start_engine(0);
  require(engine_link.start_status == 0, "the engine program (TOLVANE_ENGINE) did not start");
  engine_link.send_line(uci ? "uci" : "xboard");
  if (!uci) engine_link.send_line("protover 2");
  for (const std::string& line : input_lines(data + 1, size - 1)) engine_link.send_line(line.c_str());
  engine_link.send_line(uci ? "stop" : "?");
  engine_link.send_line(uci ? "isready" : "ping 424242");
  require(answered(uci ? "readyok" : "pong 424242"), "no readyok after stop and isready, or no pong after ? and ping");
  engine_link.shut_down();
  return 0;
}
