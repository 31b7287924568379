// The search's own check and legality tests agree with the rules core's trial by play.
#include <algorithm>
#include <tuple>

#include "rules/rules.h"
#include "search/king_safety.h"
#include "tests/position_fixture.h"

namespace {

using MoveKey = std::tuple<uint8_t, uint8_t, uint8_t>;

std::vector<MoveKey> keys(const PositionNode* node, const std::vector<int>& indexes) {
  std::vector<MoveKey> result;
  for (int i : indexes) result.emplace_back(node->Zuege()[i].Von, node->Zuege()[i].Nach, node->Zuege()[i].Fig);
  std::sort(result.begin(), result.end());
  return result;
}

class KingSafetyTest : public PositionTest {
 protected:
  // Compares both tests in node and, to depth plies, in every position reached by a legal move.
  void compare_below(PositionNode* node, int depth) {
    ++positions_;
    EXPECT_EQ(side_to_move_in_check(board, node), IsInCheck(node, &core, &board) == 1);

    std::vector<int> mine, all;
    for (int i = 0; i < node->Anz_moegl_zuege; ++i) {
      all.push_back(i);
      if (is_legal_move(&board, node, int16_t(i))) mine.push_back(i);
    }
    const std::vector<MoveKey> expected_mine = keys(node, mine);
    EXPECT_EQ(has_legal_move(&board, node), !mine.empty());
    FilterLegalMoves(node, &core, &board);
    all.resize(node->Anz_moegl_zuege);
    ASSERT_EQ(expected_mine, keys(node, all)) << "legal moves differ at move number " << node->Welcher_zug;
    if (depth == 0) return;

    for (int16_t i = 0; i < node->Anz_moegl_zuege; ++i) {
      uint8_t* saved = core.Pool_free;
      PositionNode* child = PlayMove(node, &core, &board, i);
      compare_below(child, depth - 1);
      TakeBack(child, &board);
      core.Pool_free = saved;
      node->Zuege()[i].Folge_zeiger = 0;
    }
  }

  int positions_ = 0;
};

TEST_F(KingSafetyTest, AgreesWithTheRulesCoreOnChecksPinsCastlingAndEnPassant) {
  const char* fens[] = {
      // Castling both ways with attacked passing squares, pins and promotions nearby.
      "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
      // En passant that would expose the king along the rank.
      "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
      "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1",
  };
  for (const char* fen : fens) {
    SetUp();
    board.Fast_mode = 1;
    compare_below(base(fen), 2);
  }
  // The legal positions of the first two plies of each: 1 + 48 + 2039, 1 + 14 + 191, 1 + 6 + 264.
  EXPECT_EQ(positions_, 2565);
}

}  // namespace
