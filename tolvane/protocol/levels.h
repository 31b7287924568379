// The four playing levels of the chess program's set-up dialog. The weaker
// ones see less far and now and then settle for a slightly worse move, like
// weaker players, but never play nonsense and never keep the user waiting.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "search/search.h"

namespace tolvane {

struct Level {
  int number = 4;           // 1 "foo" .. 4 "master"
  int depth = 0;            // 0: as deep as the time allows
  std::uint64_t nodes = 0;  // 0: no node cap
  std::int64_t move_time_ms = 0;  // without a time control
  int mistake_percent = 0;
  int mistake_margin_cp = 0;
  // A person's moment of thought before the reply, longer in sharp positions.
  std::int64_t pause_min_ms = 0;
  std::int64_t pause_max_ms = 0;
  int threads = 1;  // the weaker levels think alone, the master with the machine's cores
};

// The threads of the master level: the machine's cores, at most four.
int master_threads();

// Never longer than this, whatever the position.
constexpr std::int64_t LongestPauseMs = 1500;

// The level named by the arguments of "level tolvane X Y": "0 1", "3 1",
// "4 1" and "4 5" are levels 1 to 4.
std::optional<Level> level_from_arguments(std::string_view x, std::string_view y);
Level level_by_number(int number);

// Applies the level's depth, node cap, slips and pause before answering in
// `pos` to a search (not its move time, which a time control may replace);
// `seed` varies the slips and pauses from move to move.
void apply_level(const Level& level, const Position& pos, SearchLimits& limits, std::uint64_t seed);

}  // namespace tolvane
