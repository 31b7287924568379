#include "protocol/levels.h"

#include <algorithm>
#include <thread>

#include "board/movegen.h"

namespace tolvane {

int master_threads() { return int(std::clamp(std::thread::hardware_concurrency(), 1u, 4u)); }

// The depths and slip rates of levels 1 to 3 come from matches
// (scripts/strength.sh level1, level2 and level3).
Level level_by_number(int number) {
  switch (number) {
    // Sees captures and checks one move deep, drops material now and then.
    case 1: return {1, 1, 5000, 1500, 38, 190, 300, 900};
    // Short tactics, loose positional play.
    case 2: return {2, 2, 30000, 1500, 32, 155, 400, 1100};
    // Sound club play with the inaccuracies of a club player.
    case 3: return {3, 7, 400000, 1500, 35, 120, 500, 1200};
    // Full strength, as fast as it likes.
    default: return {4, 0, 0, 4500, 0, 0, 0, 0, master_threads()};
  }
}

std::optional<Level> level_from_arguments(std::string_view x, std::string_view y) {
  if (x == "0" && y == "1") return level_by_number(1);
  if (x == "3" && y == "1") return level_by_number(2);
  if (x == "4" && y == "1") return level_by_number(3);
  if (x == "4" && y == "5") return level_by_number(4);
  return std::nullopt;
}

namespace {

constexpr int BareKingDepth = 6;
constexpr std::uint64_t BareKingNodes = 200000;

// In check, or a capture that wins material: a person looks longer.
bool sharp(const Position& pos) {
  if (pos.in_check()) return true;
  MoveList moves;
  generate(pos, moves, GenKind::Tactical);
  for (Move m : moves)
    if (pos.is_legal(m) && pos.see(m) > 0) return true;
  return false;
}

}  // namespace

void apply_level(const Level& level, const Position& pos, SearchLimits& limits, std::uint64_t seed) {
  limits.depth = level.depth;
  limits.nodes = level.nodes;
  limits.weakness = {level.mistake_percent, level.mistake_margin_cp, seed};
  limits.classical_evaluation = level.number < 4;
  // Any player who has learnt the game mates a bare king with a queen or rook.
  const Color them = ~pos.side_to_move();
  if (pos.pieces(them) == pos.pieces(them, King) && level.depth > 0) {
    limits.depth = std::max(level.depth, BareKingDepth);
    limits.nodes = std::max<std::uint64_t>(level.nodes, BareKingNodes);
    limits.weakness = {};
  }
  if (level.pause_max_ms > 0) {
    std::int64_t spread = level.pause_max_ms - level.pause_min_ms;
    std::int64_t pause = level.pause_min_ms + std::int64_t((seed >> 17) % std::uint64_t(spread + 1));
    if (sharp(pos)) pause += pause / 2;
    limits.min_time_ms = std::min(pause, LongestPauseMs);
  }
}

}  // namespace tolvane
