#include "driver/interpreter_state.h"

PositionNode* current_node = nullptr;
int16_t move_index = 0;
int32_t user_moves = 0;
int32_t engine_status = ENGINE_NOT_RUNNING;
int32_t use_engine = 0;
char result_text[RESULT_TEXT_SIZE] = "";
char engine_command_text[ENGINE_COMMAND_TEXT_SIZE] = "";
bool engine_knows_game = true;

int16_t attacked_by_white[64] = {};
int16_t attacked_by_black[64] = {};
