#include "ui/frame/game_document.h"

#include "driver/interpreter_state.h"
#include "rules/rules.h"
#include "ui/app/interpreter_calls.h"

GameDocument::GameDocument()
    : state{&game_board(), attacked_by_white, attacked_by_black, 0} {
  ResetPool(&game_core, &game_core.pool);
  SetInitialPosition();
  for (const char* command : {"0", "0", "8", "F1"}) call_run_command(command, &state);
}

void GameDocument::RecordLastMove() {
  move_record.emplace_back(call_run_command("ll", &state));
  ++move_count;
}
