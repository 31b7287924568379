// The order the search tries moves in: table move, winning captures,
// killers, quiet moves by history, losing captures.
#include <gtest/gtest.h>

#include <vector>

#include "search/move_order.h"

namespace tolvane {
namespace {

std::vector<std::string> order(const char* fen, Move table_move, const Killers& killers, const QuietOrder& quiet) {
  Position pos = *Position::from_fen(fen);
  OrderedMoves moves(pos, GenKind::All, table_move, killers, quiet);
  std::vector<std::string> out;
  for (std::size_t i = 0; i < moves.size(); ++i) out.push_back(move_to_text(moves.next(i)));
  return out;
}

// After the killers comes the counter move, then quiet moves by the sum of
// their butterfly score and their scores in reply to the two moves before.
TEST(MoveOrder, ClassesComeInTheirBands) {
  // White can win a rook with the knight, lose the queen for a pawn, or play quietly.
  const char* fen = "4k3/4p3/3p4/2r5/8/1N6/3Q4/4K3 w - - 0 1";
  Position pos = *Position::from_fen(fen);
  History history;
  history.update(White, *parse_move(pos, "e1e2"), 4000);
  ContinuationHistory continuation;
  ContinuationHistory::Row& reply = continuation.row(make_piece(Black, King), 60);
  ContinuationHistory::Row& follow_up = continuation.row(make_piece(White, Knight), 17);
  const Piece queen = make_piece(White, Queen);
  ContinuationHistory::update(reply, queen, 27, 2500);      // d2d4
  ContinuationHistory::update(follow_up, queen, 27, 2500);  // d2d4
  ContinuationHistory::update(reply, queen, 19, 2000);      // d2d3
  QuietOrder quiet(history);
  quiet.before[0] = &reply;
  quiet.before[1] = &follow_up;
  quiet.counter = *parse_move(pos, "d2g5");
  Killers killers;
  killers.add(*parse_move(pos, "d2a5"));
  killers.add(*parse_move(pos, "d2h6"));
  auto moves = order(fen, *parse_move(pos, "e1f1"), killers, quiet);
  ASSERT_GE(moves.size(), 9u);
  // The table move, the rook won, the latest killer, the killer before it, the counter move, the move
  // good in reply to both moves before, the best butterfly history, the move good in reply to one; the
  // queen given for a pawn last.
  EXPECT_EQ(std::vector(moves.begin(), moves.begin() + 8),
            (std::vector<std::string>{"e1f1", "b3c5", "d2h6", "d2a5", "d2g5", "d2d4", "e1e2", "d2d3"}));
  EXPECT_EQ(moves.back(), "d2d6");
}

}  // namespace
}  // namespace tolvane
