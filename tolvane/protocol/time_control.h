// The time an xboard game gives the engine: one of the program's levels, or
// a clock set by "level", "st" and "time", and a depth cap set by "sd".
#pragma once

#include <cstdint>
#include <string_view>

#include "protocol/levels.h"
#include "search/search.h"

namespace tolvane {

class TimeControl {
 public:
  // "level MPS BASE INC": moves per control, base time "m" or "m:ss", increment
  // in seconds; or "level tolvane X Y" for one of the program's levels, where
  // other pairs keep the current level. False (nothing changed) when unreadable.
  bool set_level(std::string_view mps, std::string_view base, std::string_view inc);
  // "st S": a fixed time per move.
  bool set_move_time(std::string_view seconds);
  // "sd D": at most D plies; 0 or less lifts the cap.
  bool set_depth_limit(std::string_view plies);
  // "time C": what is left on the engine's clock, in centiseconds.
  bool set_time_left(std::string_view centiseconds);
  // "new": the cap goes, the time stays.
  void lift_depth_limit() { depth_limit_ = 0; }

  // The limits of the engine's next move. The level sets how far the engine
  // looks and how often it slips; a clock replaces the level's move time and
  // threads (then "cores" counts).
  SearchLimits limits(const Position& pos, std::uint64_t seed) const;

 private:
  bool use_level_ = true;
  Level level_ = level_by_number(4);
  int moves_per_control_ = 0;
  std::int64_t increment_ms_ = 0;
  std::int64_t move_time_ms_ = 0;
  std::int64_t time_left_ms_ = -1;
  int depth_limit_ = 0;
};

}  // namespace tolvane
