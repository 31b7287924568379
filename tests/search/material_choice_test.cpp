// The own move choice: material scores, the good moves and the pick between them.
#include <cstdlib>
#include <set>

#include "rules/rules.h"
#include "search/material_choice.h"
#include "tests/position_fixture.h"

namespace {

class MaterialChoiceTest : public PositionTest {
 protected:
  int16_t score(PositionNode* node, const char* move, int16_t depth, int16_t full_width) {
    const int16_t index = core.parse_move_text_no_echo(node, move);
    EXPECT_GE(index, 0) << move;
    return material_search(node, &core, &board, depth, full_width, index);
  }
};

TEST_F(MaterialChoiceTest, ScoresCountThePliesAndTheWidthAsTold) {
  // Qxd5 wins the queen; only a full-width reply finds Rxa1, and the defended queen is lost again.
  PositionNode* node = base("4k3/8/8/3q4/8/8/r7/R2QK3 w - - 0 1");
  const Board before = board;
  uint8_t* free_before = core.Pool_free;
  EXPECT_EQ(score(node, "d1d5", 0, 0), 8);
  EXPECT_EQ(score(node, "d1d5", 1, 3), 8);  // depth 1 is the material right after the move
  EXPECT_EQ(score(node, "d1d5", 2, 0), 8);  // recaptures on d5 only: there are none
  EXPECT_EQ(score(node, "d1d5", 2, 1), 3);  // every reply: Rxa1
  EXPECT_TRUE(same_board(before, board));
  EXPECT_EQ(core.Pool_free, free_before);

  SetUp();
  node = base("4k3/8/4p3/3q4/8/8/8/3QK3 w - - 0 1");
  EXPECT_EQ(score(node, "d1d5", 1, 0), 7);
  EXPECT_EQ(score(node, "d1d5", 2, 0), -1);   // exd5
  EXPECT_EQ(score(node, "d1d5", 14, 2), -1);  // the deep rating
}

TEST_F(MaterialChoiceTest, KingLeftCapturableScoresAKingWorse) {
  // Ke1 steps next to the black queen; Kg1 is safe.
  PositionNode* node = base("4k3/8/8/8/8/8/3q4/5K2 w - - 0 1");
  for (auto [depth, width] : {std::pair<int16_t, int16_t>{2, 12}, {14, 2}})
    EXPECT_EQ(score(node, "f1g1", depth, width) - score(node, "f1e1", depth, width), 63) << depth;
}

TEST_F(MaterialChoiceTest, MoverAlwaysBehindGetsTheFirstMove) {
  PositionNode* node = base("k7/7q/8/8/8/8/8/K7 w - - 0 1");
  std::srand(3);
  const int next = std::rand();
  std::srand(3);
  choose_computer_move(node, &core, &board, 2, 12);
  EXPECT_EQ(node->Bester_zug, 0);
  EXPECT_EQ(std::rand(), next) << "no random pick without a good move";
  EXPECT_EQ(board.Fast_mode, 0);
}

TEST_F(MaterialChoiceTest, TwoEqualGoodMovesArePickedBySeed) {
  // All moves keep the balance; the first two, Ke5 and Ke4, leave the king eight squares each.
  PositionNode* node = base("4k3/8/8/8/3K4/8/8/8 w - - 0 1");
  const Board before = board;
  std::set<int16_t> chosen;
  for (unsigned seed = 1; seed <= 12; ++seed) {
    std::srand(seed);
    choose_computer_move(node, &core, &board, 0, 0);
    const int16_t first = node->Bester_zug;
    std::srand(seed);
    choose_computer_move(node, &core, &board, 0, 0);
    EXPECT_EQ(node->Bester_zug, first) << "the same sequence gives the same choice";
    chosen.insert(first);
  }
  EXPECT_EQ(chosen, (std::set<int16_t>{0, 1}));
  EXPECT_TRUE(same_board(before, board));
}

TEST_F(MaterialChoiceTest, FreerPositionDecidesBetweenTwoGoodMoves) {
  // Qb2 and Qc3 both keep the balance; from c3 White has one move more.
  PositionNode* node = base("4k3/8/8/8/8/8/8/Q3K3 w - - 0 1");
  ASSERT_EQ(move_text(node, 0), "a1b2");
  ASSERT_EQ(move_text(node, 1), "a1c3");
  for (unsigned seed = 1; seed <= 6; ++seed) {
    std::srand(seed);
    choose_computer_move(node, &core, &board, 1, 3);
    EXPECT_EQ(node->Bester_zug, 1) << seed;
  }
  // From the initial position Nc3 leaves White two moves more than Na3.
  SetUp();
  node = base(kStart);
  choose_computer_move(node, &core, &board, 0, 0);
  EXPECT_EQ(move_text(node, node->Bester_zug), "b1c3");
}

TEST_F(MaterialChoiceTest, WinningCaptureIsChosenForBlack) {
  // Black is a knight and a pawn behind; only taking the undefended rook levels the material.
  PositionNode* node = base("4k3/8/8/3r4/8/1P6/2N5/3R3K b - - 0 1");
  choose_computer_move(node, &core, &board, 2, 12);
  EXPECT_EQ(move_text(node, node->Bester_zug), "d5d1");
}

}  // namespace
