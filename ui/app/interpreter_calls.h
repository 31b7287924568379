#pragma once
// The window's one road into the game logic. A command may wait for the engine and keep the window
// painted meanwhile (the engine link's pump hook); the window starts no other command while one runs.
#include "driver/game_core.h"

class InterpreterBackend {
 public:
  virtual ~InterpreterBackend() = default;
  virtual const char* hauptloop(const char* command, GameState* state, const char** result_out) = 0;
  virtual const char* run_command(const char* command, GameState* state) = 0;
};

// nullptr (the default) is the real game logic; tests install one that watches the commands.
void set_interpreter_backend(InterpreterBackend* backend);

// Called directly where the result text matters (the user's move and the computer's move).
const char* call_hauptloop(const char* command, GameState* state, const char** result_out);
// Every other command: the result text goes to a fixed slot.
const char* call_run_command(const char* command, GameState* state);

// True while a command runs, so also inside its wait for the engine.
bool command_running();

// Ends a wait for the engine at once: the engine is killed, so its pipe closes and the wait returns.
void end_engine_wait();

// Makes the engine link pump window events while it waits (painting, timers, the close box).
void install_pump_hook();
