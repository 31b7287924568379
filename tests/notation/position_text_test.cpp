#include "notation/position_text.h"

#include <sstream>
#include <tuple>

#include "tests/notation/notation_fixture.h"

namespace {

// The position text after the moves from the start position: the en passant square only after a
// double step, the castling field with the rights left, two blanks before it.
TEST_F(NotationTest, PositionTextAfterMoves) {
  const char* castling = "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 10";
  // The start, the moves played from it (separated by blanks) and the text of the position reached.
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {kStart, "", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w  KQkq - 0 1"},
      {kStart, "e2e4", "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b  KQkq e3 0 1"},
      {kStart, "e2e4 c7c5", "rnbqkbnr/pp1ppppp/8/2p5/4P3/8/PPPP1PPP/RNBQKBNR w  KQkq c6 0 2"},
      {kStart, "e2e4 c7c5 g1f3", "rnbqkbnr/pp1ppppp/8/2p5/4P3/5N2/PPPP1PPP/RNBQKB1R b  KQkq - 0 2"},
      {kStart, "e2e3", "rnbqkbnr/pppppppp/8/8/8/4P3/PPPP1PPP/RNBQKBNR b  KQkq - 0 1"},
      {kStart, "e2e3 e7e6 e3e4", "rnbqkbnr/pppp1ppp/4p3/8/4P3/8/PPPP1PPP/RNBQKBNR b  KQkq - 0 2"},
      {castling, "h1h2", "r3k2r/8/8/8/8/8/7R/R3K3 b  Qkq - 0 10"},
      {castling, "h1h2 e8d8", "r2k3r/8/8/8/8/8/7R/R3K3 w  Q - 0 11"},
      {castling, "h1h2 e8d8 e1c1", "r2k3r/8/8/8/8/8/7R/2KR4 b  - - 0 11"},
      {"8/8/8/3k4/8/8/8/4K3 b - - 0 12", "", "8/8/8/3k4/8/8/8/4K3 b  - - 0 12"},
      {"7k/8/8/8/8/8/8/K7 w - - 0 1", "", "7k/8/8/8/8/8/8/K7 w  - - 0 1"},
  };
  for (const auto& [start, played, expected] : cases) {
    SetUp();
    PositionNode* node = base(start);
    std::istringstream moves(played);
    for (std::string move; moves >> move;) node = play(node, move.c_str());
    char text[POSITION_TEXT_SIZE];
    position_text(&game_board(), text, node);
    EXPECT_EQ(std::string(text), expected);
  }
}

}  // namespace
