#include <cstring>

#include "notation/move_text.h"
#include "tests/notation/notation_fixture.h"

namespace {

// Whatever the form of the text, the engine is to hear the move in its own notation.
TEST_F(NotationTest, SquaresInEitherCaseNameTheSameEntryAndAreEchoedInLowerCase) {
  PositionNode* node = base(kStart);
  char echo[8];
  const int16_t lower = core.parse_move_text(node, "e2e4", echo);
  ASSERT_GE(lower, 0);
  for (const char* text : {"e2e4", "E2E4", "e2E4 ", "e2e4D"}) {
    memset(echo, 'x', sizeof echo);
    EXPECT_EQ(core.parse_move_text(node, text, echo), lower) << text;
    EXPECT_STREQ(echo, "e2e4") << text;
  }
  // Characters outside the board fold onto it: "o" reads as file g and "9" as rank 1.
  EXPECT_EQ(core.parse_move_text(node, "o9f3", echo), core.parse_move_text_no_echo(node, "g1f3"));
  EXPECT_STREQ(echo, "g1f3");
  EXPECT_EQ(move_text(node, lower), "e2e4");
  EXPECT_EQ(message(), "");
}

TEST_F(NotationTest, RejectsShortIllegalAndUnlistedTexts) {
  PositionNode* node = base(kStart);
  char echo[8] = "keep";
  for (const char* text : {"e2e", "", "e2e5", "e1g1"}) EXPECT_EQ(core.parse_move_text(node, text, echo), -1) << text;
  EXPECT_STREQ(echo, "keep");
  EXPECT_EQ(message(), "");
}

TEST_F(NotationTest, MoveNumbersCountFromOneAndEchoTheirMove) {
  PositionNode* node = base(kStart);
  ASSERT_EQ(node->Anz_moegl_zuege, 20);
  char echo[8] = "keep";
  // The echo is the listed move of that number, as the list shows it (no promotion here).
  const auto listed = [&](int index) {
    for (int i = 0; i <= index; ++i) {
      core.clear_message();
      core.list_move(i == 0 ? 'f' : 'n', node);
    }
    return message();
  };
  for (const auto& [text, index] : {std::pair{"1", 0}, {"20", 19}, {"7x", 6}}) {
    EXPECT_EQ(core.parse_move_text(node, text, echo), index) << text;
    EXPECT_EQ(echo, listed(index)) << text;
  }
  memcpy(echo, "keep", 5);
  for (const char* text : {"0", "21", "99999999999999"}) EXPECT_EQ(core.parse_move_text(node, text, echo), -1) << text;
  EXPECT_STREQ(echo, "keep");
}

TEST_F(NotationTest, PromotionLetterOfEitherSetSelectsThePiece) {
  PositionNode* node = base(kPromotions);
  char echo[8];
  for (const auto& [text, piece, echoed] :
       {std::tuple{"e7e8n", KNIGHT, "e7e8n"}, {"e7e8S", KNIGHT, "e7e8n"}, {"E7F8D", QUEEN, "e7f8q"},
        {"e7f8B", BISHOP, "e7f8b"}, {"e7f8t", ROOK, "e7f8r"}}) {
    const int16_t index = core.parse_move_text(node, text, echo);
    ASSERT_GE(index, 0) << text;
    EXPECT_EQ(node->Zuege()[index].Fig, piece) << text;
    EXPECT_STREQ(echo, echoed) << text;
  }
  EXPECT_EQ(message(), "");
}

TEST_F(NotationTest, PromotionWithoutUsableLetterAsksOnceForThePiece) {
  PositionNode* node = base(kPromotions);
  const std::string asked = "\nError   2 : Ungenuegende Angabe fuer Bauernumwandlung\n";
  char echo[8] = "keep";
  for (const char* text : {"e7e8", "e7e8p"}) {
    EXPECT_EQ(core.parse_move_text(node, text, echo), -1);
    EXPECT_EQ(message(), asked);
    EXPECT_STREQ(echo, "keep");  // a refused text must not replace a move still to be sent
    core.clear_message();
  }
  // A king is a piece letter, just not one any entry carries.
  EXPECT_EQ(core.parse_move_text(node, "e7e8k", echo), -1);
  EXPECT_EQ(message(), "");
}

TEST_F(NotationTest, LastMoveTextUsesGermanPromotionLetters) {
  PositionNode* white = base(kPromotions);
  PositionNode* black = play(white, "e1d1");
  for (const auto& [node, move, shown] : {std::tuple{white, "e1d1", "e1d1"}, {white, "e7f8q", "e7f8D"},
                                          {black, "b2a1q", "b2a1D"}, {black, "b2b1n", "b2b1S"}}) {
    core.set_last_move_text(core.parse_move_text_no_echo(node, move), node);
    EXPECT_STREQ(core.last_move_text, shown) << move;
  }
}

TEST_F(NotationTest, ListMoveWalksTheListInOrderAndThenGoesQuiet) {
  PositionNode* node = base(kStart);
  core.list_move('f', node);
  EXPECT_EQ(message(), move_text(node, 0));
  for (int i = 1; i < node->Anz_moegl_zuege; ++i) {
    core.clear_message();
    core.list_move('n', node);
    EXPECT_EQ(core.parse_move_text_no_echo(node, message().c_str()), i);
  }
  core.clear_message();
  core.list_move('n', node);
  EXPECT_EQ(message(), "");
  core.list_move('n', node);
  EXPECT_EQ(move_list_cursor, node->Anz_moegl_zuege + 1);
  core.list_move('f', node);
  EXPECT_EQ(move_list_cursor, 0);
}

TEST_F(NotationTest, ListMoveUsesEnglishUpperCaseLettersAndEndsOnAnEmptyList) {
  PositionNode* black = play(base(kPromotions), "e1d1");
  bool saw_black_queen = false;
  core.list_move('f', black);
  for (int i = 0; i < black->Anz_moegl_zuege; ++i, core.list_move('n', black)) {
    saw_black_queen = saw_black_queen || message() == "b2a1Q";
    EXPECT_TRUE(message().size() != 5 || std::string("QRBN").find(message()[4]) != std::string::npos) << message();
    core.clear_message();
  }
  EXPECT_TRUE(saw_black_queen);

  PositionNode* mated = base("k7/1Q6/1K6/8/8/8/8/8 b - - 0 1");
  ASSERT_EQ(mated->Anz_moegl_zuege, 0);
  core.clear_message();
  core.list_move('f', mated);
  EXPECT_EQ(message(), "");
}

}  // namespace
