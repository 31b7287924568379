// The chess program's own dialogue with the real tolvane.exe over pipes,
// line by line as the program sends and reads it.
#include <gtest/gtest.h>

#include "engine_process.h"

namespace {

bool begins(const std::string& line, const std::string& prefix) { return line.rfind(prefix, 0) == 0; }

// The words the program takes as a reply when it waits for a move.
bool is_reply(const std::string& line) {
  return begins(line, "move") || begins(line, "Engine") || begins(line, "error") || begins(line, "Error") ||
         begins(line, "Illeg") || begins(line, "1-0 {White mates}") || begins(line, "0-1 {Black mates}") ||
         begins(line, "1/2-1/2 {");
}

class Dialogue : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(engine.started());
    engine.read_greeting();
  }
  // Sends a ping and returns everything that came before its pong.
  std::vector<std::string> lines_before_pong(int n) {
    engine.send("ping " + std::to_string(n));
    auto lines = engine.read_until("pong " + std::to_string(n));
    EXPECT_FALSE(lines.empty());
    if (!lines.empty()) {
      EXPECT_EQ(lines.back(), "pong " + std::to_string(n));
      lines.pop_back();
    }
    return lines;
  }
  // The first reply line, skipping thinking output; thinking output must not look like a reply.
  std::string reply() {
    while (auto line = engine.read_line()) {
      if (is_reply(*line)) return *line;
      EXPECT_FALSE(begins(*line, "info")) << *line;
    }
    ADD_FAILURE() << "no reply";
    return "";
  }
  EngineProcess engine;
};

TEST(DialogueGreeting, InfoLinesCarryTheAboutTextThenExactlyTwoOtherLines) {
  EngineProcess engine;
  ASSERT_TRUE(engine.started());
  std::vector<std::string> info;
  std::optional<std::string> line;
  while ((line = engine.read_line()) && begins(*line, "info")) info.push_back(*line);
  ASSERT_TRUE(line);
  ASSERT_GE(info.size(), 1u);
  // The program shows each info line from its twelfth character on.
  EXPECT_GT(info[0].size(), 15u);
  EXPECT_EQ(info[0].substr(11, 7), "Tolvane");
  EXPECT_FALSE(is_reply(*line));
  auto second = engine.read_line();
  ASSERT_TRUE(second);
  EXPECT_FALSE(begins(*second, "info"));
  EXPECT_FALSE(is_reply(*second));
  // Nothing else until asked: the next line answers the ping.
  engine.send("ping 1");
  EXPECT_EQ(engine.read_line(), "pong 1");
}

TEST_F(Dialogue, SetUpCommandsAreSilent) {
  for (const char* command : {"new", "easy", "hard", "level tolvane 0 1", "level tolvane 3 1", "level tolvane 4 1",
                              "level tolvane 4 5", "post", "nopost"})
    engine.send(command);
  EXPECT_TRUE(lines_before_pong(7).empty());
}

TEST_F(Dialogue, TheProgramsMoveExchange) {
  // New game as the program starts it.
  engine.send("ping 1");
  EXPECT_EQ(engine.read_line(), "pong 1");
  engine.send("new");
  EXPECT_TRUE(lines_before_pong(2).empty());
  // A computer move after one user move, at level 2.
  engine.send("easy");
  engine.send("level tolvane 3 1");
  engine.send("ping 1");
  engine.send("post");
  engine.send("e2e4");
  std::string r = reply();
  ASSERT_TRUE(begins(r, "move ")) << r;
  const std::string answer = r.substr(5);
  engine.send("nopost");
  EXPECT_TRUE(lines_before_pong(3).empty());
  // The board now shows both moves: nine lines, none of them "info".
  engine.send("showboard");
  std::vector<std::string> board;
  for (int i = 0; i < 9; ++i) board.push_back(engine.read_line().value_or("(none)"));
  for (const std::string& row : board) EXPECT_FALSE(begins(row, "info")) << row;
  EXPECT_TRUE(lines_before_pong(4).empty());  // exactly nine
  EXPECT_EQ(board[4].substr(0, 2), "4 ");
  EXPECT_NE(board[4].find('P'), std::string::npos);
  // The answer's origin square is empty now.
  const int file = answer[0] - 'a', rank = answer[1] - '1';
  EXPECT_EQ(board[7 - rank][3 + 2 * file], '.') << answer;
}

TEST_F(Dialogue, SetboardWithTheProgramsPositionTextAndGo) {
  engine.send("hard");
  engine.send("level tolvane 4 5");
  // After 1. e4, Black to move, in the program's text with two blanks.
  engine.send("setboard rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b  KQkq - 0 1");
  engine.send("go");
  std::string r = reply();
  ASSERT_TRUE(begins(r, "move ")) << r;
  // Black moved: the move starts on rank 7 or 8.
  EXPECT_TRUE(r[6] == '7' || r[6] == '8') << r;
  // Pondering on the program's time must not keep a ping waiting.
  EXPECT_TRUE(lines_before_pong(5).empty());
}

TEST_F(Dialogue, IllegalAndUnparsableMoves) {
  engine.send("new");
  engine.send("e2e5");
  EXPECT_EQ(engine.read_line(), "Illegal move: e2e5");
  engine.send("e7e5");  // White to move
  EXPECT_EQ(engine.read_line(), "Illegal move: e7e5");
  engine.send("z9z9");
  auto line = engine.read_line();
  ASSERT_TRUE(line);
  EXPECT_TRUE(begins(*line, "Illeg") || begins(*line, "Error")) << *line;
}

TEST_F(Dialogue, PromotionLettersInEitherCaseAndLanguage) {
  engine.send("easy");
  engine.send("level tolvane 0 1");
  engine.send("setboard 4k3/P7/8/8/8/8/8/4K3 w  KQkq - 0 40");
  engine.send("force");
  engine.send("a7a8D");  // German queen, upper case
  engine.send("showboard");
  auto top = engine.read_line();
  ASSERT_TRUE(top);
  EXPECT_EQ(top->substr(0, 5), "8  Q ");
  for (int i = 0; i < 8; ++i) engine.read_line();
}

TEST_F(Dialogue, ResultLines) {
  engine.send("easy");
  engine.send("level tolvane 4 1");
  // The engine mates with its move: the move, then the result.
  engine.send("setboard 6k1/5ppp/8/8/8/8/8/R5K1 w  KQkq - 0 30");
  engine.send("go");
  EXPECT_EQ(reply(), "move a1a8");
  EXPECT_EQ(engine.read_line(), "1-0 {White mates}");
  // A move after the end: the result again.
  engine.send("g8h8");
  EXPECT_EQ(engine.read_line(), "1-0 {White mates}");

  // The engine mates as Black.
  engine.send("new");
  engine.send("setboard 7k/8/8/8/8/8/r4PPP/6K1 w  KQkq - 0 30");
  engine.send("g1h1");
  EXPECT_EQ(reply(), "move a2a1");
  EXPECT_EQ(engine.read_line(), "0-1 {Black mates}");

  // The user's move mates: the result instead of a move.
  engine.send("new");
  engine.send("setboard 6k1/5ppp/8/8/8/8/8/R5K1 w  KQkq - 0 30");
  engine.send("a1a8");
  EXPECT_EQ(reply(), "1-0 {White mates}");

  // Stalemate by the user's move.
  engine.send("new");
  engine.send("setboard 7k/8/6Q1/8/8/8/8/K7 w  KQkq - 0 50");
  engine.send("g6f7");
  EXPECT_EQ(reply(), "1/2-1/2 {Stalemate}");

  // Taking the last piece leaves too little to mate.
  engine.send("new");
  engine.send("setboard 7k/8/8/8/8/8/6n1/4K2B w  KQkq - 0 50");
  engine.send("h1g2");
  EXPECT_EQ(reply(), "1/2-1/2 {Insufficient material}");

  // Knights shuffling: the third occurrence is a draw.
  engine.send("new");
  engine.send("force");
  for (const char* m : {"g1f3", "g8f6", "f3g1", "f6g8", "g1f3", "g8f6", "f3g1"}) engine.send(m);
  EXPECT_TRUE(lines_before_pong(8).empty());
  engine.send("f6g8");
  EXPECT_EQ(engine.read_line(), "1/2-1/2 {Draw by repetition}");
}

TEST_F(Dialogue, FiftyMoveRuleAfterTheEnginesMove) {
  // Only the kings and a rook: any move that is not a capture or pawn move
  // ends the game by the fifty-move rule.
  engine.send("xboard");
  engine.send("easy");
  engine.send("setboard 4k3/8/8/8/8/8/R7/4K3 w - - 99 80");
  engine.send("sd 3");
  engine.send("go");
  std::string r = reply();
  ASSERT_TRUE(begins(r, "move ")) << r;
  EXPECT_EQ(engine.read_line(), "1/2-1/2 {Fifty move rule}");
}

TEST_F(Dialogue, QuitEndsAtOnceEvenWhileThinking) {
  engine.send("xboard");
  engine.send("st 600");
  engine.send("go");
  engine.send("quit");
  EXPECT_TRUE(engine.wait_for_exit());
}

}  // namespace
