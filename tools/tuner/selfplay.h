// Fast games of the engine against itself, for tuning data: every quiet
// position of a game is written with the game's result.
#pragma once

#include <cstdint>
#include <ostream>

namespace tolvane::tuning {

struct SelfPlayOptions {
  int games = 100;
  std::uint64_t nodes_per_move = 4000;
  int random_plies = 8;  // random opening moves, so that games differ
  std::uint64_t seed = 1;
};

// Writes one line per quiet position: "<fen>;<result>;<score>", the result
// 1, 0.5 or 0 and the search's score in centipawns, both from White's point
// of view. Returns the number of lines written.
std::uint64_t play_games(const SelfPlayOptions& options, std::ostream& out);

}  // namespace tolvane::tuning
