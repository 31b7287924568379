// The order the search tries moves in: table move, winning captures,
// killers, quiet moves by history, losing captures.
#include <gtest/gtest.h>

#include <vector>

#include "search/move_order.h"

namespace tolvane {
namespace {

// The generator's pseudo-legal moves in the order the search would try them.
std::vector<Move> ordered(const Position& pos, Move table_move, const Killers& killers, const QuietOrder& quiet,
                          const CaptureHistory& captures = {}) {
  OrderedMoves moves(pos, GenKind::All, table_move, killers, quiet, captures);
  std::vector<Move> out;
  for (std::size_t i = 0; i < moves.size(); ++i) out.push_back(moves.next(i));
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
  std::vector<std::string> moves;
  for (Move m : ordered(pos, *parse_move(pos, "e1f1"), killers, quiet)) moves.push_back(move_to_text(m));
  ASSERT_GE(moves.size(), 9u);
  // The table move, the rook won, the latest killer, the killer before it, the counter move, the move
  // good in reply to both moves before, the best butterfly history, the move good in reply to one; the
  // queen given for a pawn last.
  EXPECT_EQ(std::vector(moves.begin(), moves.begin() + 8),
            (std::vector<std::string>{"e1f1", "b3c5", "d2h6", "d2a5", "d2g5", "d2d4", "e1e2", "d2d3"}));
  EXPECT_EQ(moves.back(), "d2d6");
}

// Among winning captures the victim comes first; the capture history decides
// between captures of like victims and never lifts a losing capture.
TEST(MoveOrder, CaptureHistoryOrdersLikeVictims) {
  // The knight and the rook can each take a loose pawn, the queen a loose
  // rook or a guarded pawn.
  const char* fen = "k7/3r4/8/1p3p1p/6p1/2N5/8/3QK2R w - - 0 1";
  Position pos = *Position::from_fen(fen);
  History history;
  QuietOrder quiet(history);
  // The moves are pseudo-legal (Ke1-d2 walks into the rook), so they are
  // filtered as moves, not read back from text.
  const auto tacticals = [&](const CaptureHistory& captures) {
    std::vector<std::string> out;
    for (Move m : ordered(pos, Move::none(), Killers{}, quiet, captures))
      if (pos.is_capture(m)) out.push_back(move_to_text(m));
    return out;
  };
  EXPECT_EQ(tacticals({}), (std::vector<std::string>{"d1d7", "c3b5", "h1h5", "d1g4"}));

  CaptureHistory captures;
  for (const char* m : {"h1h5", "d1g4"}) captures.update(pos, *parse_move(pos, m), History::Max);
  EXPECT_EQ(tacticals(captures), (std::vector<std::string>{"d1d7", "h1h5", "c3b5", "d1g4"}));
}

}  // namespace
}  // namespace tolvane
