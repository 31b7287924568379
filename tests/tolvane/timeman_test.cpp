// The time plan must never risk the clock.
#include <gtest/gtest.h>

#include <limits>

#include "board/types.h"
#include "search/timeman.h"

namespace tolvane {
namespace {

TEST(TimePlan, StaysWellInsideTheClock) {
  for (std::int64_t left : {50, 200, 1000, 10000, 60000, 600000})
    for (std::int64_t inc : {0, 100, 2000})
      for (int to_go : {0, 1, 5, 40}) {
        const Clock clock{.time_left_ms = left, .increment_ms = inc, .moves_to_go = to_go};
        TimeBudget b = plan_time(clock);
        EXPECT_GE(b.soft_ms, 1);
        EXPECT_LE(b.soft_ms, b.hard_ms);
        // Never more than most of what is left after the overhead.
        EXPECT_LE(b.hard_ms, std::max<std::int64_t>(1, (left - clock.overhead_ms) * 8 / 10))
            << left << " " << inc << " " << to_go;
      }
}

TEST(TimePlan, FixedMoveTimeAndNoClock) {
  TimeBudget b = plan_time(Clock{.move_time_ms = 1000});
  EXPECT_EQ(b.soft_ms, b.hard_ms);
  EXPECT_LT(b.hard_ms, 1000);
  EXPECT_GT(b.hard_ms, 900);
  EXPECT_LT(plan_time(Clock{}).hard_ms, 0);  // no clock: no limit
  // The last move before a time control may use more than a move in sudden death.
  EXPECT_GT(plan_time(Clock{.time_left_ms = 30000, .moves_to_go = 1}).soft_ms,
            plan_time(Clock{.time_left_ms = 30000}).soft_ms);
}

// A client may send any number (UCI "go wtime ... winc ..."): the plan stays a usable limit.
TEST(TimePlan, HugeClocksGiveALongButFiniteBudget) {
  constexpr std::int64_t Huge = std::numeric_limits<std::int64_t>::max();
  Clock clock{.time_left_ms = Huge, .increment_ms = Huge};
  TimeBudget b = plan_time(clock);
  EXPECT_GT(b.soft_ms, 0);
  EXPECT_LE(b.soft_ms, b.hard_ms);
  EXPECT_LE(b.hard_ms, LongestClockMs);
  clock.move_time_ms = Huge;
  EXPECT_EQ(plan_time(clock).hard_ms, LongestClockMs - clock.overhead_ms);
}

// A settled search stops early; a best move that keeps changing, a falling
// score or rivals that took much of the search buy more time, the changes
// fading as the best move holds again.
TEST(IterationPace, MoreTimeWhileTheSearchIsUnsettled) {
  IterationPace settled;
  for (int depth = 1; depth <= 8; ++depth) settled.record(false, 30, 0.75);
  EXPECT_LT(settled.factor(), 1.0);

  IterationPace changing = settled;
  changing.record(true, 30, 0.75);
  EXPECT_GT(changing.factor(), 1.5);
  IterationPace holding = changing;
  holding.record(false, 30, 0.75);
  EXPECT_LT(holding.factor(), changing.factor());
  EXPECT_GT(holding.factor(), settled.factor());

  IterationPace falling = settled;
  falling.record(false, -60, 0.75);
  EXPECT_GT(falling.factor(), settled.factor() * 1.4);
  IterationPace rising = settled;
  rising.record(false, 120, 0.75);
  EXPECT_LT(rising.factor(), settled.factor());

  IterationPace contested = settled;
  contested.record(false, 30, 0.3);
  EXPECT_GT(contested.factor(), settled.factor() * 1.4);
  IterationPace clear = settled;
  clear.record(false, 30, 0.98);
  EXPECT_LT(clear.factor(), settled.factor() * 0.8);

  // A mate found or lost moves the factor only within its bounds.
  IterationPace mated = changing;
  mated.record(true, -MateScore + 4, 0.0);
  EXPECT_LT(mated.factor(), 7.0);
}

}  // namespace
}  // namespace tolvane
