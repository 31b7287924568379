// The result lines of finished games, as the chess program reads them.
#include <gtest/gtest.h>

#include "board/movegen.h"
#include "protocol/game.h"

namespace tolvane {
namespace {

TEST(GameResult, TheMoveThatEndsTheGameNamesTheEndAndTakingItBackUndoesIt) {
  const char* start = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
  struct Case {
    const char* fen;
    std::vector<const char*> moves;
    const char* result;  // after the last move; none before it
  };
  const Case cases[] = {
      {"6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1", {"a1a8"}, "1-0 {White mates}"},
      {start, {"f2f3", "e7e5", "g2g4", "d8h4"}, "0-1 {Black mates}"},
      {"7k/8/6Q1/8/8/8/8/K7 w - - 0 1", {"g6f7"}, "1/2-1/2 {Stalemate}"},
      {"7k/8/6Q1/8/8/8/8/K7 w - - 0 1", {"g6g5"}, nullptr},
      // Only the third occurrence of a position draws.
      {start, {"g1f3", "g8f6", "f3g1", "f6g8", "g1f3", "g8f6", "f3g1", "f6g8"}, "1/2-1/2 {Draw by repetition}"},
      {"4k3/8/8/8/8/8/R7/4K3 w - - 99 80", {"a2b2"}, "1/2-1/2 {Fifty move rule}"},
      // A capture resets the count and leaves too little to mate.
      {"4k3/8/8/8/8/8/3n4/4KB2 w - - 99 80", {"e1d2"}, "1/2-1/2 {Insufficient material}"},
      // Mate on the hundredth half-move is a mate, not a draw.
      {"6k1/5ppp/8/8/8/8/8/R5K1 w - - 99 80", {"a1a8"}, "1-0 {White mates}"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.moves.back());
    Game g;
    g.set_position(*Position::from_fen(c.fen));
    for (const char* text : c.moves) {
      EXPECT_FALSE(g.result());
      auto m = parse_move(g.position(), text);
      ASSERT_TRUE(m) << text;
      g.play(*m);
    }
    EXPECT_EQ(g.result(), c.result ? std::optional<std::string>(c.result) : std::nullopt);
    ASSERT_TRUE(g.take_back());
    EXPECT_FALSE(g.result());
  }
}

}  // namespace
}  // namespace tolvane
