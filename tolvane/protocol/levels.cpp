#include "protocol/levels.h"

namespace tolvane {

Level level_by_number(int number) {
  switch (number) {
    case 1: return {1, 2, 20000, 1000, 40, 280};    // sees captures, misses plans, drops material now and then
    case 2: return {2, 3, 60000, 1000, 25, 120};    // short tactics, loose positional play
    case 3: return {3, 6, 400000, 1000, 10, 45};    // sound club play, an occasional inaccuracy
    default: return {4, 0, 0, 4500, 0, 0};          // full strength
  }
}

std::optional<Level> level_from_arguments(std::string_view x, std::string_view y) {
  if (x == "0" && y == "1") return level_by_number(1);
  if (x == "3" && y == "1") return level_by_number(2);
  if (x == "4" && y == "1") return level_by_number(3);
  if (x == "4" && y == "5") return level_by_number(4);
  return std::nullopt;
}

void apply_level(const Level& level, SearchLimits& limits, std::uint64_t seed) {
  limits.depth = level.depth;
  limits.nodes = level.nodes;
  limits.weakness = {level.mistake_percent, level.mistake_margin_cp, seed};
}

}  // namespace tolvane
