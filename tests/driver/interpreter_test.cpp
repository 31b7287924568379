// The interpreter's state rules, with no engine running.
#include <cstdlib>

#include "tests/driver/interpreter_fixture.h"

namespace {

TEST_F(InterpreterTest, EngineUseIsSwitchedOnByFAloneAndOffByF0) {
  for (const auto& [command, on] : {std::pair{"F0", 0}, {"F", 1}, {"f0", 0}, {"F1", 1}}) {
    run(command);
    EXPECT_EQ(use_engine, on) << command;
  }
}

TEST_F(InterpreterTest, UnknownCommandsDoNothing) {
  PositionNode* before = current_node;
  for (const char* command : {"", "x", "y", "xyz", "Q", "!"}) {
    EXPECT_EQ(run(command), "") << command;
    EXPECT_EQ(current_node, before);
  }
}

TEST_F(InterpreterTest, RefusedMoveLeavesNodeBoardAndCountUnchanged) {
  PositionNode* node = current_node;
  const Board before = board;
  for (const char* move : {"Be2e5", "Bxyz"}) EXPECT_EQ(run(move), kInvalidMove);
  EXPECT_EQ(current_node, node);
  EXPECT_TRUE(same_board(before, board));
  EXPECT_EQ(user_moves, 0);
}

// Knights going back and forth fill the pool after some 17,000 moves, as a long game file can.
TEST_F(InterpreterTest, AGameTooLongForThePoolRefusesTheNextMoveInsteadOfEndingTheProgram) {
  const char* const shuffle[] = {"Bg1f3", "Bg8f6", "Bf3g1", "Bf6g8"};
  std::string message;
  int played = 0;
  for (; played < 40000 && message.empty(); ++played) {
    PositionNode* node = current_node;
    const Board before = board;
    message = run(shuffle[played % 4]);
    if (!message.empty()) {
      EXPECT_EQ(current_node, node);
      EXPECT_TRUE(same_board(before, board));
    }
  }
  EXPECT_EQ(message, "\nKein freier Speicherplatz !\n");
  EXPECT_GT(played, 10000);
  // A new game ("0") has the whole pool again.
  for (const char* command : {"9", "0", "8", "Be2e4"}) EXPECT_EQ(run(command), "") << command;
}

TEST_F(InterpreterTest, AcceptedMovesAreCountedAndTheLastOneIsShown) {
  EXPECT_EQ(run("Be2e4"), "");
  EXPECT_EQ(run("ll"), "e2e4");
  EXPECT_EQ(run("Be7e5"), "");
  EXPECT_EQ(user_moves, 2);
  EXPECT_EQ(run("ll"), "e7e5");
  EXPECT_STREQ(engine_command_text, "e7e5");
  EXPECT_LE(current_node->Welcher_zug, 2);
  EXPECT_GT(current_node->Welcher_zug, 0);  // White to move at move 2
}

TEST_F(InterpreterTest, FinishedGameRefusesMovesAndListsOnlyItsResultAndANewGameForgetsIt) {
  run("Be2e4");
  ASSERT_EQ(user_moves, 1);
  strcpy(result_text, "1-0 {White mates}");
  PositionNode* before = current_node;
  EXPECT_EQ(run("Be7e5"), "1-0 {White mates}");
  EXPECT_EQ(result_, "1-0 {White mates}");
  EXPECT_EQ(current_node, before);
  EXPECT_EQ(run("lf"), "1-0 {White mates}");
  EXPECT_EQ(run("ln"), "");
  EXPECT_EQ(current_node->Anz_moegl_zuege, 0);

  SetInitialPosition();
  run("0");
  EXPECT_STREQ(result_text, "");
  EXPECT_EQ(user_moves, 0);
  EXPECT_EQ(current_node, nullptr);
  run("8");
  EXPECT_FALSE(run("lf").empty());
  EXPECT_NE(run("lf"), "1-0 {White mates}");
}

TEST_F(InterpreterTest, StepForwardPlaysOnlyANamedMoveAndStepBackReturns) {
  PositionNode* base = current_node;
  run("8e2e5");
  EXPECT_EQ(current_node, base);
  run("8e2e4");
  ASSERT_NE(current_node, base);
  EXPECT_EQ(board.squares[28], PAWN);  // e4
  EXPECT_EQ(run("ll"), "root");
  run("9");
  EXPECT_EQ(current_node, base);
  EXPECT_EQ(board.squares[12], PAWN);  // e2
  const Board at_base = board;
  run("9");
  EXPECT_EQ(current_node, base);  // the base node has no parent: nothing changes
  EXPECT_TRUE(same_board(at_base, board));
}

// Without engine use no command starts the engine; with it, a failed start is reported on every attempt.
TEST_F(InterpreterTest, FailedStartIsReportedOnEveryAttemptOnlyWithEngineUse) {
  setenv("TOLVANE_ENGINE", "/nonexistent/engine", 1);
  run("F0");
  EXPECT_EQ(run("c"), "");
  EXPECT_EQ(run("V"), engine_link.about_text);  // whatever an earlier engine left, unchanged
  EXPECT_EQ(engine_status, ENGINE_NOT_RUNNING);
  run("F1");
  PositionNode* before = current_node;
  for (const char* command : {"c", "c3", "V"}) EXPECT_EQ(run(command), "Error 4: opening tolvane.exe") << command;
  EXPECT_EQ(engine_status, 4);
  EXPECT_EQ(current_node, before);
  // A move needs no engine.
  EXPECT_EQ(run("Be2e4"), "");
  unsetenv("TOLVANE_ENGINE");
}

TEST_F(InterpreterTest, DirectMoveWithoutEnginePlaysTheMoveForTheNextExchange) {
  PositionNode* before = current_node;
  EXPECT_EQ(run("Ze2e4"), "");
  EXPECT_NE(current_node, before);
  EXPECT_EQ(user_moves, 1);
  EXPECT_STREQ(engine_command_text, "e2e4");
}

}  // namespace
