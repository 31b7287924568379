#include "search/timeman.h"

#include <algorithm>

namespace tolvane {
namespace {

// A best move that never changes stops at this share; each recent change adds up to one more.
constexpr double SettledShare = 0.75;
// A score that falls by this many centipawns between iterations doubles the time.
constexpr double FallForDouble = 150.0;
constexpr double MinFallFactor = 0.8;
constexpr double MaxFallFactor = 1.5;
// A best move that took this share of the iteration's nodes leaves the time
// as it is; a smaller share means rivals needed a close look, so more time.
constexpr double UsualBestMoveShare = 0.75;
constexpr double ShareWeight = 1.2;
constexpr double MaxShareFactor = 1.5;

}  // namespace

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

void IterationPace::record(bool best_move_changed, int score, double best_move_share) {
  best_move_share_ = std::clamp(best_move_share, 0.0, 1.0);
  changes_ = changes_ / 2 + (best_move_changed ? 1.0 : 0.0);
  drop_ = scored_ ? previous_score_ - score : 0;
  previous_score_ = score;
  scored_ = true;
}

double IterationPace::factor() const {
  const double falling = std::clamp(1.0 + drop_ / FallForDouble, MinFallFactor, MaxFallFactor);
  const double effort = std::min(1.0 + (UsualBestMoveShare - best_move_share_) * ShareWeight, MaxShareFactor);
  return (SettledShare + changes_) * falling * effort;
}

}  // namespace tolvane
