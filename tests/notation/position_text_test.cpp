#include "notation/position_text.h"

#include <string>

#include "tests/notation/notation_fixture.h"

namespace {

std::string text_of(const PositionNode* node) {
  char text[POSITION_TEXT_SIZE];
  position_text(&game_board(), text, node);
  return text;
}

TEST_F(NotationTest, InitialPositionAndAfterADoubleStep) {
  PositionNode* start = base(kStart);
  EXPECT_EQ(text_of(start), "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w  KQkq - 0 1");
  PositionNode* e4 = play(start, "e2e4");
  EXPECT_EQ(text_of(e4), "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b  KQkq e3 0 1");
  PositionNode* c5 = play(e4, "c7c5");
  EXPECT_EQ(text_of(c5), "rnbqkbnr/pp1ppppp/8/2p5/4P3/8/PPPP1PPP/RNBQKBNR w  KQkq c6 0 2");
  PositionNode* nf3 = play(c5, "g1f3");
  EXPECT_EQ(text_of(nf3), "rnbqkbnr/pp1ppppp/8/2p5/4P3/5N2/PPPP1PPP/RNBQKB1R b  KQkq - 0 2");
}

TEST_F(NotationTest, SingleStepsLeaveNoEnPassantSquare) {
  PositionNode* e3 = play(base(kStart), "e2e3");
  EXPECT_EQ(text_of(e3), "rnbqkbnr/pppppppp/8/8/8/4P3/PPPP1PPP/RNBQKBNR b  KQkq - 0 1");
  PositionNode* e6 = play(play(e3, "e7e6"), "e3e4");
  EXPECT_EQ(text_of(e6), "rnbqkbnr/pppp1ppp/4p3/8/4P3/8/PPPP1PPP/RNBQKBNR b  KQkq - 0 2");
}

TEST_F(NotationTest, CastlingFieldFollowsTheRightsLeft) {
  PositionNode* node = base("r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 10");
  node = play(node, "h1h2");
  EXPECT_EQ(text_of(node), "r3k2r/8/8/8/8/8/7R/R3K3 b  Qkq - 0 10");
  node = play(node, "e8d8");
  EXPECT_EQ(text_of(node), "r2k3r/8/8/8/8/8/7R/R3K3 w  Q - 0 11");
  node = play(node, "e1c1");
  EXPECT_EQ(text_of(node), "r2k3r/8/8/8/8/8/7R/2KR4 b  - - 0 11");
}

TEST_F(NotationTest, BlackToMoveLateInTheGameOnASparseBoard) {
  EXPECT_EQ(text_of(base("8/8/8/3k4/8/8/8/4K3 b - - 0 12")), "8/8/8/3k4/8/8/8/4K3 b  - - 0 12");
  EXPECT_EQ(text_of(base("7k/8/8/8/8/8/8/K7 w - - 0 1")), "7k/8/8/8/8/8/8/K7 w  - - 0 1");
}

}  // namespace
