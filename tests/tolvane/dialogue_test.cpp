// The chess program's own dialogue with the real tolvane.exe, line by line
// as the program sends and reads it over its engine link.
#include <gtest/gtest.h>

#include "common/engine_words.h"
#include "engine_process.h"

namespace {

bool begins(const std::string& line, const std::string& prefix) { return line.rfind(prefix, 0) == 0; }

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
  std::vector<std::string> board() {
    engine.send("showboard");
    std::vector<std::string> rows;
    for (int i = 0; i < 9; ++i) rows.push_back(engine.read_line().value_or("(none)"));
    return rows;
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
  EXPECT_EQ(info[0].substr(11), ENGINE_NAME_AND_VERSION);
  auto second = engine.read_line();
  ASSERT_TRUE(second);
  EXPECT_FALSE(begins(*second, "info"));
  // Nothing else until asked: the next line answers the ping.
  engine.send("ping 1");
  EXPECT_EQ(engine.read_line(), "pong 1");
}

TEST_F(Dialogue, SetUpCommandsAreSilent) {
  engine.send("new");
  for (const LevelLines& level : LEVEL_LINES) {
    engine.send(level.strength);
    engine.send(level.level);
  }
  engine.send("post");
  engine.send("nopost");
  EXPECT_TRUE(lines_before_pong(7).empty());
}

TEST_F(Dialogue, TheProgramsMoveExchange) {
  engine.send("new");
  engine.send("easy");
  engine.send(LEVEL_LINES[1].level);
  engine.send("post");
  engine.send("e2e4");
  std::string r = engine.reply();
  ASSERT_TRUE(begins(r, "move ")) << r;
  const std::string answer = r.substr(5);
  engine.send("nopost");
  EXPECT_TRUE(lines_before_pong(3).empty());
  // The board now shows both moves: exactly nine lines.
  auto rows = board();
  EXPECT_TRUE(lines_before_pong(4).empty());
  EXPECT_EQ(rows[4].substr(0, 2), "4 ");
  EXPECT_NE(rows[4].find('P'), std::string::npos);
  // The answer's origin square is empty now.
  const int file = answer[0] - 'a', rank = answer[1] - '1';
  EXPECT_EQ(rows[7 - rank][3 + 2 * file], '.') << answer;
}

TEST_F(Dialogue, SetboardWithTheProgramsPositionTextAndGo) {
  engine.send("hard");
  engine.send(LEVEL_LINES[3].level);
  // After 1. e4, Black to move, in the program's text with two blanks.
  engine.send("setboard rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b  KQkq - 0 1");
  engine.send("go");
  std::string r = engine.reply();
  ASSERT_TRUE(begins(r, "move ")) << r;
  // Black moved: the move starts on rank 7 or 8.
  EXPECT_TRUE(r[6] == '7' || r[6] == '8') << r;
  // Pondering on the program's time must not keep a ping waiting.
  EXPECT_TRUE(lines_before_pong(5).empty());
}

TEST_F(Dialogue, MovesInEitherCaseAreTakenAndImpossibleOnesRefused) {
  struct Case {
    const char* sent;
    const char* reply_start;
  };
  engine.send("easy");
  engine.send(LEVEL_LINES[0].level);
  engine.send("new");
  for (const Case& c : {Case{"e2e5", "Illegal move: e2e5"}, Case{"e7e5", "Illegal move: e7e5"},
                        Case{"z9z9", "Error"}, Case{"G1F3", "move "}}) {
    engine.send(c.sent);
    EXPECT_TRUE(begins(engine.reply(), c.reply_start)) << c.sent;
  }
}

TEST_F(Dialogue, PromotionLettersInEitherCaseAndLanguage) {
  for (const char* promotion : {"a7a8D", "A7A8Q", "a7a8q"}) {
    engine.send("force");
    engine.send("setboard 4k3/P7/8/8/8/8/8/4K3 w  KQkq - 0 40");
    engine.send(promotion);
    EXPECT_EQ(board()[0].substr(0, 5), "8  Q ") << promotion;
  }
}

TEST_F(Dialogue, TheResultLineFollowsTheMoveThatEndsTheGame) {
  struct Case {
    const char* fen;
    const char* user_move;  // none: "go"
    const char* reply;
    const char* result;
  };
  engine.send("easy");
  engine.send(LEVEL_LINES[2].level);
  for (const Case& c : {Case{"6k1/5ppp/8/8/8/8/8/R5K1 w  KQkq - 0 30", nullptr, "move a1a8", WHITE_MATES},
                        Case{"7k/8/8/8/8/8/r4PPP/6K1 w  KQkq - 0 30", "g1h1", "move a2a1", BLACK_MATES},
                        Case{"4k3/8/8/8/8/8/R7/4K3 w - - 99 80", nullptr, "move ", DRAW_BY_FIFTY_MOVES}}) {
    engine.send("new");
    engine.send(std::string("setboard ") + c.fen);
    engine.send(c.user_move ? c.user_move : "go");
    EXPECT_TRUE(begins(engine.reply(), c.reply)) << c.fen;
    EXPECT_EQ(engine.read_line(), c.result) << c.fen;
  }
  // A move after the end: the result again.
  engine.send("e8d8");
  EXPECT_EQ(engine.reply(), DRAW_BY_FIFTY_MOVES);
  // The user's move mates: the result instead of a move.
  engine.send("new");
  engine.send("setboard 6k1/5ppp/8/8/8/8/8/R5K1 w  KQkq - 0 30");
  engine.send("a1a8");
  EXPECT_EQ(engine.reply(), WHITE_MATES);
}

TEST_F(Dialogue, QuitEndsAtOnceEvenWhileThinking) {
  engine.send("xboard");
  engine.send("st 600");
  engine.send("go");
  engine.send("quit");
  EXPECT_TRUE(engine.wait_for_exit());
}

}  // namespace
