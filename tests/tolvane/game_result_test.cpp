// The result lines of finished games, as the chess program reads them.
#include <gtest/gtest.h>

#include "board/movegen.h"
#include "protocol/game.h"

namespace tolvane {
namespace {

TEST(GameResult, TheMoveThatEndsTheGameNamesTheEndAndTakingItBackUndoesIt) {
  const char* start = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
  // The position, the moves played and the result after the last of them (none before it).
  const std::tuple<const char*, std::vector<const char*>, const char*> cases[] = {
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
  for (const auto& [fen, moves, result] : cases) {
    SCOPED_TRACE(moves.back());
    Game g;
    g.set_position(*Position::from_fen(fen));
    for (const char* text : moves) {
      EXPECT_FALSE(g.result());
      auto m = parse_move(g.position(), text);
      ASSERT_TRUE(m) << text;
      g.play(*m);
    }
    EXPECT_EQ(g.result(), result ? std::optional<std::string>(result) : std::nullopt);
    ASSERT_TRUE(g.take_back());
    EXPECT_FALSE(g.result());
  }
}

}  // namespace
}  // namespace tolvane
