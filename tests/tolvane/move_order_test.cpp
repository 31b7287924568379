// The order the search tries moves in: table move, winning captures,
// killers, quiet moves by history, losing captures.
#include <gtest/gtest.h>

#include <vector>

#include "search/move_order.h"

namespace tolvane {
namespace {

std::vector<std::string> order(const char* fen, Move table_move, const Killers& killers, const History& history) {
  Position pos = *Position::from_fen(fen);
  OrderedMoves moves(pos, GenKind::All, table_move, killers, history);
  std::vector<std::string> out;
  for (std::size_t i = 0; i < moves.size(); ++i) out.push_back(move_to_text(moves.next(i)));
  return out;
}

TEST(MoveOrder, ClassesComeInTheirBands) {
  // White can win a rook with the knight, lose the queen for a pawn, or play quietly.
  const char* fen = "4k3/4p3/3p4/2r5/8/1N6/3Q4/4K3 w - - 0 1";
  Position pos = *Position::from_fen(fen);
  History history;
  history.update(White, *parse_move(pos, "e1e2"), 4000);
  Killers killers;
  killers.add(*parse_move(pos, "d2a5"));
  killers.add(*parse_move(pos, "d2h6"));
  auto moves = order(fen, *parse_move(pos, "e1f1"), killers, history);
  ASSERT_GE(moves.size(), 6u);
  // The table move, the rook won, the latest killer, the killer before it, the best history; the
  // queen given for a pawn last.
  EXPECT_EQ(std::vector(moves.begin(), moves.begin() + 5),
            (std::vector<std::string>{"e1f1", "b3c5", "d2h6", "d2a5", "e1e2"}));
  EXPECT_EQ(moves.back(), "d2d6");
}

}  // namespace
}  // namespace tolvane
