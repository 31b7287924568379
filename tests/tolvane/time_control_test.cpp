// The xboard clock commands: what they let the engine think, and what they refuse.
#include <gtest/gtest.h>

#include "protocol/time_control.h"

namespace tolvane {
namespace {

// The limits of a move at the given move number of the game.
SearchLimits at_move(const TimeControl& tc, int fullmove) {
  return tc.limits(*Position::from_fen("r3k3/8/8/8/8/8/8/R3K3 w - - 0 " + std::to_string(fullmove)), 1);
}

TEST(TimeControl, TimeControlsSetTheClockOfTheMove) {
  TimeControl tc;
  ASSERT_TRUE(tc.set_level("40", "0:30", "2"));
  const SearchLimits first = at_move(tc, 1);
  EXPECT_EQ(std::tuple(first.clock.time_left_ms, first.clock.increment_ms, first.clock.moves_to_go),
            std::tuple(30000, 2000, 40));
  EXPECT_EQ(first.threads, 0);  // a clock leaves the threads to "cores"
  EXPECT_EQ(at_move(tc, 40).clock.moves_to_go, 1);  // the last move before the control
  EXPECT_EQ(at_move(tc, 41).clock.moves_to_go, 40);
  ASSERT_TRUE(tc.set_time_left("1234"));  // centiseconds
  EXPECT_EQ(at_move(tc, 1).clock.time_left_ms, 12340);
  ASSERT_TRUE(tc.set_move_time("2.5"));
  EXPECT_EQ(at_move(tc, 1).clock.move_time_ms, 2500);
  // A program level brings back its own move time, depth and slips.
  ASSERT_TRUE(tc.set_level("tolvane", "3", "1"));
  SearchLimits level = at_move(tc, 1);
  EXPECT_EQ(level.clock.move_time_ms, level_by_number(2).move_time_ms);
  EXPECT_EQ(level.depth, level_by_number(2).depth);
  EXPECT_GT(level.weakness.mistake_percent, 0);
  EXPECT_EQ(level.threads, 1);
  // The master thinks with the machine's cores, up to four.
  ASSERT_TRUE(tc.set_level("tolvane", "4", "5"));
  EXPECT_EQ(at_move(tc, 1).threads, master_threads());
  EXPECT_TRUE(master_threads() >= 1 && master_threads() <= 4);
}

TEST(TimeControl, DepthCapLimitsEvenTheLevelsDepth) {
  TimeControl tc;
  ASSERT_TRUE(tc.set_depth_limit("3"));
  EXPECT_EQ(at_move(tc, 1).depth, 3);  // full strength has no depth of its own
  ASSERT_TRUE(tc.set_level("tolvane", "4", "1"));
  EXPECT_EQ(at_move(tc, 1).depth, 3);
  tc.lift_depth_limit();
  EXPECT_EQ(at_move(tc, 1).depth, level_by_number(3).depth);
}

TEST(TimeControl, UnreadableOrLimitlessValuesAreRefused) {
  using Apply = bool (*)(TimeControl&);
  for (const auto& [what, apply] : {
           std::pair<const char*, Apply>{"level words", [](TimeControl& tc) { return tc.set_level("x", "5", "0"); }},
           {"level base", [](TimeControl& tc) { return tc.set_level("40", "5:xx", "0"); }},
           {"negative increment", [](TimeControl& tc) { return tc.set_level("0", "5", "-1"); }},
           {"no move time", [](TimeControl& tc) { return tc.set_move_time("0"); }},
           {"move time word", [](TimeControl& tc) { return tc.set_move_time("soon"); }},
           {"move time not a number", [](TimeControl& tc) { return tc.set_move_time("nan"); }},
           {"endless move time", [](TimeControl& tc) { return tc.set_move_time("inf"); }},
           {"increment past any number", [](TimeControl& tc) { return tc.set_level("0", "5", "1e999"); }},
           {"depth word", [](TimeControl& tc) { return tc.set_depth_limit("deep"); }},
           {"clock word", [](TimeControl& tc) { return tc.set_time_left("12s"); }},
       }) {
    TimeControl tc;
    const SearchLimits before = at_move(tc, 1);
    EXPECT_FALSE(apply(tc)) << what;
    const SearchLimits after = at_move(tc, 1);
    EXPECT_EQ(std::tuple(after.clock.move_time_ms, after.clock.time_left_ms, after.depth),
              std::tuple(before.clock.move_time_ms, before.clock.time_left_ms, before.depth)) << what;
  }
  // A clock run below zero still limits the move: a negative time would mean none.
  TimeControl tc;
  ASSERT_TRUE(tc.set_level("0", "5", "0"));
  ASSERT_TRUE(tc.set_time_left("-5"));
  EXPECT_EQ(at_move(tc, 1).clock.time_left_ms, 0);
  // Clocks too long for any number of milliseconds count as the longest one.
  ASSERT_TRUE(tc.set_time_left("9223372036854775807"));
  EXPECT_EQ(at_move(tc, 1).clock.time_left_ms, LongestClockMs);
  ASSERT_TRUE(tc.set_level("0", "1e300", "1e300"));
  EXPECT_EQ(at_move(tc, 1).clock.increment_ms, LongestClockMs);
  ASSERT_TRUE(tc.set_move_time("6666666666666666666666666666666666666666666666"));
  EXPECT_EQ(at_move(tc, 1).clock.move_time_ms, LongestClockMs);
}

}  // namespace
}  // namespace tolvane
