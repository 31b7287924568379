// The chess program's own dialogue with the real tolvane.exe, line by line
// as the program sends and reads it over its engine link.
#include <gtest/gtest.h>

#include "common/engine_words.h"
#include "engine_process.h"

namespace {

using Dialogue = GreetedEngine;

TEST_F(Dialogue, TheGreetingIsInfoLinesWithTheAboutTextThenExactlyTwoOtherLines) {
  ASSERT_GE(greeting.size(), 3u);
  // The program shows each info line from its twelfth character on.
  EXPECT_EQ(greeting[0].substr(11), ENGINE_NAME_AND_VERSION);
  EXPECT_FALSE(begins(greeting[greeting.size() - 2], "info"));
}

// Nothing comes after the greeting until asked, and nothing for the set-up commands either.
TEST_F(Dialogue, SetUpCommandsAreSilent) {
  engine.send("new");
  for (const LevelLines& level : LEVEL_LINES) engine.send({level.strength, level.level});
  engine.send({"post", "nopost"});
  EXPECT_TRUE(engine.before_pong(7).empty());
}

TEST_F(Dialogue, TheProgramsMoveExchange) {
  engine.send({"new", "easy", LEVEL_LINES[1].level, "post", "e2e4"});
  std::string r = engine.reply();
  ASSERT_TRUE(begins(r, "move ")) << r;
  const std::string answer = r.substr(5);
  engine.send("nopost");
  EXPECT_TRUE(engine.before_pong(3).empty());
  // The board now shows both moves: exactly nine lines.
  engine.send("showboard");
  std::vector<std::string> rows;
  for (int i = 0; i < 9; ++i) rows.push_back(engine.read_line().value_or("(none)"));
  EXPECT_TRUE(engine.before_pong(4).empty());
  EXPECT_EQ(rows[4].substr(0, 2), "4 ");
  EXPECT_NE(rows[4].find('P'), std::string::npos);
  // The answer's origin square is empty now.
  const int file = answer[0] - 'a', rank = answer[1] - '1';
  EXPECT_EQ(rows[7 - rank][3 + 2 * file], '.') << answer;
}

TEST_F(Dialogue, SetboardWithTheProgramsPositionTextAndGo) {
  // After 1. e4, Black to move, in the program's text with two blanks.
  engine.send({"hard", LEVEL_LINES[3].level, "setboard rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b  KQkq - 0 1",
               "go"});
  std::string r = engine.reply();
  ASSERT_TRUE(begins(r, "move ")) << r;
  // Black moved: the move starts on rank 7 or 8.
  EXPECT_TRUE(r[6] == '7' || r[6] == '8') << r;
  // Pondering on the program's time must not keep a ping waiting.
  EXPECT_TRUE(engine.before_pong(5).empty());
}

TEST_F(Dialogue, MovesInEitherCaseAreTakenAndImpossibleOnesRefused) {
  engine.send({"easy", LEVEL_LINES[0].level, "new"});
  for (const auto& [sent, reply_start] : {std::pair{"e2e5", "Illegal move: e2e5"}, {"e7e5", "Illegal move: e7e5"},
                                          {"z9z9", "Error"}, {"G1F3", "move "}}) {
    engine.send(sent);
    EXPECT_TRUE(begins(engine.reply(), reply_start)) << sent;
  }
}

TEST_F(Dialogue, TheResultLineFollowsTheMoveThatEndsTheGame) {
  engine.send({"easy", LEVEL_LINES[2].level});
  // The position, the move sent ("go" for the engine to move first), the reply and the result line.
  for (const auto& [fen, sent, reply, result] :
       {std::tuple{"6k1/5ppp/8/8/8/8/8/R5K1 w  KQkq - 0 30", "go", "move a1a8", WHITE_MATES},
        {"7k/8/8/8/8/8/r4PPP/6K1 w  KQkq - 0 30", "g1h1", "move a2a1", BLACK_MATES},
        {"4k3/8/8/8/8/8/R7/4K3 w - - 99 80", "go", "move ", DRAW_BY_FIFTY_MOVES}}) {
    engine.send({"new", std::string("setboard ") + fen, sent});
    EXPECT_TRUE(begins(engine.reply(), reply)) << fen;
    EXPECT_EQ(engine.read_line(), result) << fen;
  }
  // A move after the end: the result again.
  engine.send("e8d8");
  EXPECT_EQ(engine.reply(), DRAW_BY_FIFTY_MOVES);
  // The user's move mates: the result instead of a move.
  engine.send({"new", "setboard 6k1/5ppp/8/8/8/8/8/R5K1 w  KQkq - 0 30", "a1a8"});
  EXPECT_EQ(engine.reply(), WHITE_MATES);
}

TEST_F(Dialogue, QuitEndsAtOnceEvenWhileThinking) {
  engine.send({"xboard", "st 600", "go", "quit"});
  EXPECT_EQ(engine.read_line(), std::nullopt);  // its output ends with the program, long before a move
}

}  // namespace
