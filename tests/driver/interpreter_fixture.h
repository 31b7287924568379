#pragma once
// A game set up the way the game document sets it up, with every interpreter global reset.
#include <string>

#include "engine/engine_link.h"
#include "tests/position_fixture.h"

class InterpreterTest : public PositionTest {
 protected:
  void SetUp() override {
    PositionTest::SetUp();
    engine_link.shut_down();
    engine_status = ENGINE_NOT_RUNNING;
    engine_link.ping_counter = 1;
    use_engine = 0;
    user_moves = 0;
    result_text[0] = '\0';
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
    const std::string message = game_core.hauptloop(command.c_str(), &state, &result);
    result_ = result;
    return message;
  }

  std::string result_;
};

inline const std::string kInvalidMove = "\nError   1 : Ungueltiger Zug !\n";
