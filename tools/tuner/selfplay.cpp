#include "selfplay.h"

#include <random>
#include <string>
#include <vector>

#include "board/movegen.h"
#include "search/search.h"

namespace tolvane::tuning {
namespace {

constexpr int MaxGamePlies = 300;
constexpr int DecisiveScore = 1000;   // both sides agree the game is decided
constexpr int DecisivePlies = 6;
constexpr int BalancedOpening = 150;  // random openings worse than this are dropped

// Plays random legal moves; false when the game ended on the way.
bool random_opening(Position& pos, int plies, std::mt19937_64& rng) {
  for (int i = 0; i < plies; ++i) {
    MoveList moves = legal_moves(pos);
    if (moves.empty()) return false;
    pos.make(moves[rng() % moves.size()]);
  }
  return !legal_moves(pos).empty();
}

// 1 White won, 0.5 drawn, 0 Black won; negative while the game goes on.
double game_over(const Position& pos, bool no_moves) {
  if (no_moves) return pos.in_check() ? (pos.side_to_move() == White ? 0.0 : 1.0) : 0.5;
  if (pos.insufficient_material() || pos.halfmove_clock() >= 100 || pos.repeated(2)) return 0.5;
  return -1;
}

}  // namespace

std::uint64_t play_games(const SelfPlayOptions& options, std::ostream& out) {
  std::mt19937_64 rng(options.seed);
  Searcher searcher(16);
  std::uint64_t written = 0;
  for (int game = 0; game < options.games;) {
    Position pos = Position::start();
    if (!random_opening(pos, options.random_plies, rng)) continue;
    searcher.clear();
    SearchControl control;
    SearchLimits probe;
    probe.depth = 6;
    if (std::abs(searcher.think(pos, probe, control).score) > BalancedOpening) continue;
    ++game;

    std::vector<std::pair<std::string, int>> quiet;  // with the search's score, White's view
    double result = 0.5;
    int decisive_run = 0, last_sign = 0;
    for (int ply = 0; ply < MaxGamePlies; ++ply) {
      MoveList moves = legal_moves(pos);
      double over = game_over(pos, moves.empty());
      if (over >= 0) {
        result = over;
        break;
      }
      SearchLimits limits;
      limits.nodes = options.nodes_per_move + rng() % (options.nodes_per_move / 2 + 1);
      SearchResult r = searcher.think(pos, limits, control);
      // Quiet: no check, and the best move is no capture or promotion, so
      // the static evaluation is what the search would say.
      int white_score = pos.side_to_move() == White ? r.score : -r.score;
      if (!pos.in_check() && !pos.is_capture(r.best) && r.best.kind() != MoveKind::Promotion &&
          std::abs(r.score) < MateBound)
        quiet.emplace_back(pos.fen(), white_score);
      int sign = white_score >= DecisiveScore ? 1 : white_score <= -DecisiveScore ? -1 : 0;
      decisive_run = sign != 0 && sign == last_sign ? decisive_run + 1 : sign != 0;
      last_sign = sign;
      if (decisive_run >= DecisivePlies) {
        result = sign > 0 ? 1.0 : 0.0;
        break;
      }
      pos.make(r.best);
    }
    const char* label = result == 1.0 ? "1" : result == 0.0 ? "0" : "0.5";
    for (const auto& [fen, score] : quiet) out << fen << ';' << label << ';' << score << '\n';
    written += quiet.size();
    out.flush();
  }
  return written;
}

}  // namespace tolvane::tuning
