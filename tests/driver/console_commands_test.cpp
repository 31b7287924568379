// The console commands through hauptloop: own move choice, mate search, dumps, manual moves.
#include <cstdlib>

#include "driver/console_commands.h"
#include "tests/console_io.h"
#include "tests/driver/interpreter_fixture.h"

namespace {

const std::string kMateSearch(1, MATE_SEARCH_COMMAND);
const std::string kNoMoveText = " \n Computer hat keinen Zug mehr: MATT oder PATT ! \n ";

class ConsoleCommandsTest : public InterpreterTest {
 protected:
  // The console text written since the last call.
  std::string console() { return capture_.take(); }

  ConsoleCapture capture_;
  ConsoleInput input_;
};

TEST_F(ConsoleCommandsTest, OwnChoiceLeavesItsMoveUnplayedOnANewBaseNode) {
  const Board before = board;
  EXPECT_EQ(run("$"), "");
  EXPECT_TRUE(same_board(before, board));
  EXPECT_EQ(std::tuple(current_node->Letzt_zug_zeiger, current_node->Anz_moegl_zuege, current_node->Gute_zuege_bis,
                       int{board.Fast_mode}),
            std::tuple(0u, 20, 20, 0));
  EXPECT_GE(current_node->Bester_zug, 0);
}

TEST_F(ConsoleCommandsTest, OwnChoiceFollowedByPPlaysItsMove) {
  engine_knows_game = true;
  ASSERT_EQ(run("$2p"), "");
  PositionNode* parent = node_at(current_node->Letzt_zug_zeiger);
  ASSERT_NE(parent, nullptr);
  const MoveEntry& chosen = parent->Zuege()[parent->Bester_zug];
  EXPECT_EQ(current_node->Letzter_zug_von, chosen.Von);
  EXPECT_EQ(current_node->Letzter_zug_nach, chosen.Nach);
  EXPECT_EQ(current_node->Welcher_zug, -1);
  EXPECT_EQ(current_node->Anz_moegl_zuege, 20);  // Black's legal replies
  EXPECT_EQ(run("ll").size(), 4u);
  EXPECT_FALSE(engine_knows_game) << "the engine must be given the whole position";
}

TEST_F(ConsoleCommandsTest, OwnChoiceWithOneLegalMoveTakesItWithoutDrawing) {
  // Only Ka1 in check by Qb2 and the black king on a8: Kxb2 is the one move.
  for (Piece& square : board.squares) square = 0;
  for (auto [square, piece] : {std::pair<Square, Piece>{0, KING}, {9, QUEEN | BLACK}, {56, KING | BLACK}})
    board.squares[square] = piece;
  for (const char* command : {"0", "8"}) run(command);
  std::srand(5);
  const int next = std::rand();
  std::srand(5);
  EXPECT_EQ(run("$3"), "");
  EXPECT_EQ(current_node->Anz_moegl_zuege, 1);
  EXPECT_EQ(current_node->Bester_zug, 0);
  EXPECT_EQ(std::rand(), next);
}

TEST_F(ConsoleCommandsTest, OwnChoiceWhenMatedSaysSoAndPlaysNothing) {
  for (const char* move : {"Bf2f3", "Be7e5", "Bg2g4", "Bd8h4"}) ASSERT_EQ(run(move), "") << move;
  const Board before = board;
  EXPECT_EQ(run("$p"), kNoMoveText);
  EXPECT_EQ(run("ll"), "#");
  EXPECT_TRUE(same_board(before, board));
}

TEST_F(ConsoleCommandsTest, MateSearchFindsTheMateAndLeavesTheGameAsItWas) {
  for (const char* move : {"Bf2f3", "Be7e5", "Bg2g4"}) ASSERT_EQ(run(move), "") << move;
  PositionNode* node = current_node;
  const Board before = board;
  console();
  EXPECT_EQ(run(kMateSearch), "");
  EXPECT_EQ(current_node, node);
  EXPECT_TRUE(same_board(before, board));
  EXPECT_EQ(move_text(node, node->Bester_zug), "d8h4");
  const std::string text = console();
  EXPECT_NE(text.find(" \n Suchtiefe : 1 "), std::string::npos);
  EXPECT_EQ(text.find("Suchtiefe : 3"), std::string::npos);
  EXPECT_NE(text.find("\n \n Matt gefunden : 1     bei "), std::string::npos);
}

TEST_F(ConsoleCommandsTest, RandomTestPrintsTheSameNumbersEachTime) {
  console();  // what the set-up printed
  run("?");
  const std::string first = console();
  EXPECT_NE(first.find_first_of("0123456789"), std::string::npos);
  std::rand();
  run("?");
  EXPECT_EQ(console(), first);
}

TEST_F(ConsoleCommandsTest, ManualMoveAndTakeBackRoundTrip) {
  const Board before = board;
  input_.feed("12\n52 and more\n");  // e2 takes the pawn on e7
  run("6");
  EXPECT_EQ(board.squares[52], PAWN);
  EXPECT_EQ(board.squares[12], 0);
  EXPECT_EQ(manual_captured, static_cast<int8_t>(PAWN | BLACK));
  run("7");
  EXPECT_TRUE(same_board(before, board));
  EXPECT_EQ(manual_captured, 0);

  // Without input the last squares are used again.
  input_.feed("");
  run("6");
  EXPECT_EQ(board.squares[52], PAWN);
  run("7");
  EXPECT_TRUE(same_board(before, board));
}

TEST_F(ConsoleCommandsTest, TakeBackWithoutAMoveOnTheBoardChangesNothing) {
  const Board before = board;
  input_.feed("12\n28\n");  // e2-e4, taken back at once
  for (const char* command : {"6", "7"}) run(command);
  ASSERT_TRUE(same_board(before, board));
  // Squares off the board or a piece left in place are refused; neither they nor a second
  // take-back may undo the move above again.
  for (const char* input : {"0\n0\n", "12\n99\n", "-1\n20\n"}) {
    input_.feed(input);
    run("6");
    EXPECT_TRUE(same_board(before, board)) << input;
    run("7");
    EXPECT_TRUE(same_board(before, board)) << input;
  }
  run("7");
  EXPECT_TRUE(same_board(before, board));
  EXPECT_NE(console().find("Kein Zug zur\x81" "ckzunehmen"), std::string::npos);
  // A new game forgets the manual move of the old one.
  input_.feed("12\n28\n");
  run("6");
  const Board moved = board;
  for (const char* command : {"0", "7"}) run(command);
  EXPECT_TRUE(same_board(moved, board));
}

TEST_F(ConsoleCommandsTest, BoardPicturesGoToTheConsole) {
  console();
  // The rook on h8 stands on a light square: "_" around it in the plain picture, blanks with the counts.
  for (const char* command : {"1", "S", "s", "5"}) {
    run(command);
    EXPECT_NE(console().find("_T_"), std::string::npos) << command;
  }
  run("3");
  EXPECT_NE(console().find("    T   "), std::string::npos);
}

}  // namespace
