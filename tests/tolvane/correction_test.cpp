// The correction of the static evaluation: it learns a pawn structure's
// average miss for the side to move, within bounds, and forgets it with a new game.
#include <gtest/gtest.h>

#include "search/correction.h"

namespace tolvane {
namespace {

TEST(Correction, LearnsAStructuresMissForTheSideToMove) {
  const Position white = *Position::from_fen("4k3/pp3ppp/8/3p4/3P4/8/PP3PPP/4K3 w - - 0 1");
  const Position black = *Position::from_fen("4k3/pp3ppp/8/3p4/3P4/8/PP3PPP/4K3 b - - 0 1");
  CorrectionHistory c;
  EXPECT_EQ(c.corrected(white, 37), 37);
  for (int i = 0; i < 200; ++i) c.update(white, 10, 80);
  EXPECT_NEAR(c.corrected(white, 37), 37 + 80, 2);
  EXPECT_EQ(c.corrected(black, 37), 37);
  // A shallow search moves the correction less than a deep one.
  CorrectionHistory shallow, deep;
  shallow.update(white, 3, 150);
  deep.update(white, 12, 150);
  EXPECT_LT(shallow.corrected(white, 0), deep.corrected(white, 0));
  EXPECT_GT(shallow.corrected(white, 0), 0);
}

TEST(Correction, StaysBoundedAndIsClearedForANewGame) {
  const Position pos = *Position::from_fen("4k3/pp3ppp/8/8/8/8/PP3PPP/4K3 w - - 0 1");
  CorrectionHistory c;
  for (int i = 0; i < 500; ++i) c.update(pos, 20, -30000);
  const int floor = c.corrected(pos, 0);
  EXPECT_LT(floor, -100);
  EXPECT_GE(floor, -150);
  c.clear();
  EXPECT_EQ(c.corrected(pos, 0), 0);
}

}  // namespace
}  // namespace tolvane
