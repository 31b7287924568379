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

// How far into the soft budget iterative deepening may go on: further while
// the best move keeps changing, the score falls or rivals of the best move
// take much of the search; less while all hold.
class IterationPace {
 public:
  // After each finished iteration: whether its best move differs from the one
  // before, its score, and the share of its nodes spent under its best move.
  void record(bool best_move_changed, int score, double best_move_share);
  // The share of the usual stopping point to stop at.
  double factor() const;

 private:
  double changes_ = 0;  // recent changes of the best move, older ones counting half per iteration
  int previous_score_ = 0;
  int drop_ = 0;  // how far the last iteration's score fell below the one before
  bool scored_ = false;
  double best_move_share_ = 1.0;
};

}  // namespace tolvane
