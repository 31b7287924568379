// How long to think: a soft budget that iterative deepening should not start
// a new iteration beyond, and a hard limit the search never passes.
#pragma once

#include <cstdint>

namespace tolvane {

// Longer clocks count as this long (about thirty years), so no sum over a clock can overflow.
constexpr std::int64_t LongestClockMs = 1'000'000'000'000;

struct Clock {
  std::int64_t time_left_ms = -1;  // negative: no clock
  std::int64_t increment_ms = 0;
  int moves_to_go = 0;             // 0: the rest of the game
  std::int64_t move_time_ms = 0;   // fixed time per move; 0: none
  std::int64_t overhead_ms = 30;   // reserved for pipes and the other side
};

struct TimeBudget {
  std::int64_t soft_ms = -1;  // negative: no limit
  std::int64_t hard_ms = -1;
};

// The budget of a move; clock values past LongestClockMs count as that.
TimeBudget plan_time(const Clock& clock);

}  // namespace tolvane
