#include "protocol/time_control.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <string>

#include "protocol/replies.h"

namespace tolvane {
namespace {

std::optional<double> parse_decimal(std::string_view text) {
  double value = 0;
  const char* end = text.data() + text.size();
  auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end || !std::isfinite(value) || value < 0) return std::nullopt;
  return value;
}

// Seconds in milliseconds, a clock past the longest counting as the longest.
std::int64_t milliseconds(double seconds) {
  return std::int64_t(std::min(seconds * 1000, double(LongestClockMs)));
}

// "m" or "m:ss" in milliseconds.
std::optional<std::int64_t> parse_minutes(std::string_view text) {
  const std::size_t colon = text.find(':');
  const auto minutes = parse_decimal(text.substr(0, colon));
  const auto seconds = colon == std::string_view::npos ? 0.0 : parse_decimal(text.substr(colon + 1));
  if (!minutes || !seconds) return std::nullopt;
  return milliseconds(*minutes * 60 + *seconds);
}

}  // namespace

bool TimeControl::set_level(std::string_view mps, std::string_view base, std::string_view inc) {
  if (mps == "tolvane") {
    if (auto level = level_from_arguments(base, inc)) {
      level_ = *level;
      use_level_ = true;
    }
    return true;
  }
  const auto moves = parse_integer(mps);
  const auto base_ms = parse_minutes(base);
  const auto inc_s = parse_decimal(inc);
  if (!moves || *moves < 0 || !base_ms || !inc_s) return false;
  moves_per_control_ = int(std::min<std::int64_t>(*moves, 1000));
  increment_ms_ = milliseconds(*inc_s);
  time_left_ms_ = *base_ms;
  move_time_ms_ = 0;
  use_level_ = false;
  return true;
}

bool TimeControl::set_move_time(std::string_view seconds) {
  const auto s = parse_decimal(seconds);
  if (!s || *s <= 0) return false;  // no time would mean no limit at all
  move_time_ms_ = milliseconds(*s);
  use_level_ = false;
  return true;
}

bool TimeControl::set_depth_limit(std::string_view plies) {
  const auto d = parse_integer(plies);
  if (!d) return false;
  depth_limit_ = int(std::clamp<std::int64_t>(*d, 0, MaxPly));
  return true;
}

bool TimeControl::set_time_left(std::string_view centiseconds) {
  const auto cs = parse_integer(centiseconds);
  if (!cs) return false;
  // Negative would mean no clock.
  time_left_ms_ = std::clamp<std::int64_t>(*cs, 0, LongestClockMs / 10) * 10;
  return true;
}

SearchLimits TimeControl::limits(const Position& pos, std::uint64_t seed) const {
  SearchLimits limits;
  apply_level(level_, pos, limits, seed);
  if (use_level_) {
    limits.clock.move_time_ms = level_.move_time_ms;
    limits.threads = level_.threads;
  } else if (move_time_ms_ > 0) {
    limits.clock.move_time_ms = move_time_ms_;
  } else {
    limits.clock.time_left_ms = time_left_ms_;
    limits.clock.increment_ms = increment_ms_;
    if (moves_per_control_ > 0)
      limits.clock.moves_to_go = moves_per_control_ - (pos.fullmove_number() - 1) % moves_per_control_;
  }
  if (depth_limit_ > 0) limits.depth = limits.depth > 0 ? std::min(limits.depth, depth_limit_) : depth_limit_;
  return limits;
}

}  // namespace tolvane
