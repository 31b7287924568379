#pragma once
// A game set up the way the game document sets it up, with every interpreter global reset.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "driver/game_core.h"
#include "driver/interpreter_state.h"
#include "engine/engine_link.h"
#include "rules/rules.h"

class InterpreterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    engine_link.shut_down();
    engine_status = ENGINE_NOT_RUNNING;
    engine_link.ping_counter = 1;
    use_engine = 0;
    user_moves = 0;
    result_text[0] = '\0';
    ResetPool(&game_core, &game_core.pool);
    SetInitialPosition();
    for (const char* command : {"0", "0", "8"}) run(command);
  }
  void TearDown() override {
    engine_link.shut_down();
    engine_status = ENGINE_NOT_RUNNING;
  }

  // The command's message; its result text lands in result_.
  std::string run(const std::string& command) {
    const char* result = nullptr;
    const std::string message = game_core.hauptloop(command.c_str(), &state_, &result);
    result_ = result;
    return message;
  }

  Board board_copy() const { return *state_.board; }
  static bool same_board(const Board& a, const Board& b) { return memcmp(&a, &b, sizeof a) == 0; }

  GameState state_{&game_board(), attacked_by_white, attacked_by_black, 0};
  std::string result_;
};

inline const std::string kInvalidMove = "\nError   1 : Ungueltiger Zug !\n";
