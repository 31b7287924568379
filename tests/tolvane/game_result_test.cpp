// The result lines of finished games, as the chess program reads them.
#include <gtest/gtest.h>

#include "board/movegen.h"
#include "protocol/game.h"

namespace tolvane {
namespace {

Game game_at(const char* fen) {
  Game g;
  auto pos = Position::from_fen(fen);
  EXPECT_TRUE(pos) << fen;
  if (pos) g.set_position(*pos);
  return g;
}

void play(Game& g, std::initializer_list<const char*> moves) {
  for (const char* text : moves) {
    auto m = parse_move(g.position(), text);
    ASSERT_TRUE(m) << text;
    g.play(*m);
  }
}

TEST(GameResult, MatesAndStalemate) {
  Game g = game_at("6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1");
  EXPECT_FALSE(g.result());
  play(g, {"a1a8"});
  EXPECT_EQ(g.result(), "1-0 {White mates}");

  g.reset();
  play(g, {"f2f3", "e7e5", "g2g4", "d8h4"});
  EXPECT_EQ(g.result(), "0-1 {Black mates}");

  g = game_at("7k/8/6Q1/8/8/8/8/K7 w - - 0 1");
  play(g, {"g6g5"});
  EXPECT_FALSE(g.result());
  g = game_at("7k/8/6Q1/8/8/8/8/K7 w - - 0 1");
  play(g, {"g6f7"});
  EXPECT_EQ(g.result(), "1/2-1/2 {Stalemate}");
}

TEST(GameResult, RepetitionNeedsTheThirdOccurrence) {
  Game g;
  play(g, {"g1f3", "g8f6", "f3g1", "f6g8", "g1f3", "g8f6", "f3g1"});
  EXPECT_FALSE(g.result());
  play(g, {"f6g8"});
  EXPECT_EQ(g.result(), "1/2-1/2 {Draw by repetition}");
  // Taking a move back undoes the draw.
  ASSERT_TRUE(g.take_back());
  EXPECT_FALSE(g.result());
}

TEST(GameResult, FiftyMovesAndInsufficientMaterial) {
  Game g = game_at("4k3/8/8/8/8/8/R7/4K3 w - - 99 80");
  EXPECT_FALSE(g.result());
  play(g, {"a2b2"});
  EXPECT_EQ(g.result(), "1/2-1/2 {Fifty move rule}");

  // A capture resets the count and leaves too little to mate.
  g = game_at("4k3/8/8/8/8/8/3n4/4KB2 w - - 99 80");
  play(g, {"e1d2"});
  EXPECT_EQ(g.result(), "1/2-1/2 {Insufficient material}");

  // Mate on the hundredth half-move is a mate, not a draw.
  g = game_at("6k1/5ppp/8/8/8/8/8/R5K1 w - - 99 80");
  play(g, {"a1a8"});
  EXPECT_EQ(g.result(), "1-0 {White mates}");
}

}  // namespace
}  // namespace tolvane
