#include "ui/app/interpreter_calls.h"

#include <signal.h>

#include <QCoreApplication>

#include "engine/engine_link.h"

namespace {

class GameLogic : public InterpreterBackend {
 public:
  const char* hauptloop(const char* command, GameState* state, const char** result_out) override {
    return game_core.hauptloop(command, state, result_out);
  }
  const char* run_command(const char* command, GameState* state) override {
    return ::run_command(command, state);
  }
};

GameLogic game_logic;
InterpreterBackend* backend = &game_logic;
int running_depth = 0;

// Counts the running command for as long as it runs, also when it unwinds.
class RunningCommand {
 public:
  RunningCommand() { ++running_depth; }
  ~RunningCommand() { --running_depth; }
  RunningCommand(const RunningCommand&) = delete;
  RunningCommand& operator=(const RunningCommand&) = delete;
};

void pump_window_events() {
  // Nothing is filtered here: every command entry of the window looks at command_running() and
  // does nothing, except closing, which must always work.
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

}  // namespace

void set_interpreter_backend(InterpreterBackend* replacement) {
  backend = replacement ? replacement : &game_logic;
}

const char* call_hauptloop(const char* command, GameState* state, const char** result_out) {
  RunningCommand running;
  return backend->hauptloop(command, state, result_out);
}

const char* call_run_command(const char* command, GameState* state) {
  RunningCommand running;
  return backend->run_command(command, state);
}

bool command_running() { return running_depth > 0; }

void end_engine_wait() {
  if (engine_link.process_id > 0) ::kill(engine_link.process_id, SIGKILL);
}

void install_pump_hook() { set_pump_hook(&pump_window_events); }
