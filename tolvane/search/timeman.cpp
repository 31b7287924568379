#include "search/timeman.h"

#include <algorithm>

namespace tolvane {

TimeBudget plan_time(const Clock& given) {
  Clock clock = given;
  clock.move_time_ms = std::min(clock.move_time_ms, LongestClockMs);
  clock.time_left_ms = std::min(clock.time_left_ms, LongestClockMs);
  clock.increment_ms = std::clamp<std::int64_t>(clock.increment_ms, 0, LongestClockMs);
  if (clock.move_time_ms > 0) {
    std::int64_t t = std::max<std::int64_t>(1, clock.move_time_ms - clock.overhead_ms);
    return {t, t};
  }
  if (clock.time_left_ms < 0) return {};
  const std::int64_t left = std::max<std::int64_t>(0, clock.time_left_ms - clock.overhead_ms);
  // Sudden death: spread over about 25 more moves; with a move count, over those
  // moves plus a little reserve.
  const int moves = clock.moves_to_go > 0 ? std::min(clock.moves_to_go + 1, 40) : 25;
  std::int64_t soft = left / moves + clock.increment_ms * 3 / 4;
  std::int64_t hard = std::min(left / 3 + clock.increment_ms / 2, soft * 4);
  // Never plan on more than most of what is left.
  soft = std::clamp<std::int64_t>(soft, 1, std::max<std::int64_t>(1, left * 6 / 10));
  hard = std::clamp<std::int64_t>(hard, soft, std::max<std::int64_t>(soft, left * 8 / 10));
  return {soft, hard};
}

}  // namespace tolvane
