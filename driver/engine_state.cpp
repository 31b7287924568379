// Whether the engine runs and what it knows: its start for a command, and the end of an engine
// that closed its output.
#include "common/bounded_text.h"
#include "driver/commands.h"
#include "driver/interpreter_state.h"
#include "engine/engine_link.h"

bool start_engine_for_command(GameCore& core, char* line) {
  // An engine that ended is reaped before its successor starts.
  engine_link.shut_down();
  engine_link.start_engine(0);
  engine_status = engine_link.start_status;
  if (engine_status != 0) {
    core.message("Error %d: opening %s", engine_status, ENGINE_PROGRAM_NAME);
    return false;
  }
  engine_link.read_greeting(line, ENGINE_LINE_SIZE, result_text);
  engine_link.append_about_text("\n");
  engine_link.append_about_text(line);
  engine_link.read_greeting(line, ENGINE_LINE_SIZE, result_text);
  line[0] = '\0';
  note_engine_end(core);
  return engine_status == 0;
}

void note_engine_end(GameCore& core) {
  if (engine_status != 0 || !engine_link.engine_ended()) return;
  core.message(ENGINE_ENDED_FORMAT, ENGINE_PROGRAM_NAME);
  engine_status = ENGINE_NOT_RUNNING;
  engine_knows_game = false;
}
