#include "fuzz/fuzz_support.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "driver/interpreter_state.h"
#include "engine/engine_link.h"
#include "search/mate_search.h"

namespace {

// A mate search may run for minutes in a bad position; a fuzz input gets this many positions.
constexpr uint64_t MATE_SEARCH_BUDGET = 2000;
uint64_t mate_search_start = 0;

void bound_mate_search(GameState* state) {
  if (mate_search_nodes - mate_search_start > MATE_SEARCH_BUDGET) state->abort_flag = 1;
}

void empty_standard_input() {
  const int null_input = open("/dev/null", O_RDONLY);
  if (null_input < 0) return;
  dup2(null_input, STDIN_FILENO);
  close(null_input);
  clearerr(stdin);
}

}  // namespace

std::vector<std::string> input_lines(const uint8_t* data, size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

ConsoleSession& fresh_game(bool use_engine) {
  static ConsoleSession session;
  // '@' may have switched standard input to a device.
  empty_standard_input();
  engine_link.shut_down();
  engine_link.ping_counter = 1;
  engine_link.read_time_limit_ms = 2000;
  engine_status = 99;
  user_moves = 0;
  result_text[0] = '\0';
  engine_knows_game = true;
  current_node = nullptr;
  mate_search_watch = bound_mate_search;
  mate_search_start = mate_search_nodes;
  session.new_game();
  if (!use_engine) session.run("F0");
  return session;
}

void run_commands(ConsoleSession& game, const std::vector<std::string>& commands) {
  std::vector<pid_t> engines;
  for (const std::string& command : commands) {
    game.run(command);
    if (engine_link.process_id > 0) engines.push_back(engine_link.process_id);
  }
  engine_link.shut_down();
  // A zombie still takes signals; only a reaped process is gone.
  for (const pid_t engine : engines)
    require(kill(engine, 0) != 0 && errno == ESRCH, "an engine process is left after the engine was shut down");
}

const std::string& scratch_file(const uint8_t* data, size_t size) {
  static const std::string path = "/tmp/tolvane-fuzz-" + std::to_string(getpid());
  static const struct RemovedAtExit {
    ~RemovedAtExit() { std::remove(path.c_str()); }
  } removed_at_exit{};
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                 static_cast<std::streamsize>(size));
  return path;
}

void require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "fuzz check failed: %s\n", what);
  std::abort();
}
