// The search: iterative deepening with aspiration windows over a principal
// variation alpha-beta, quiescence on captures, a transposition table, null
// move pruning, late move reductions and killer/history ordering.
//
// One Searcher per engine keeps its table from move to move. think() runs on
// the caller's thread; another thread steers it through SearchControl, and
// the search notices within a few thousand nodes. With more than one thread,
// helpers search the same root beside it and share what they find through
// the table; the caller's thread alone decides the move.
#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "board/movelist.h"
#include "board/position.h"
#include "search/evaluate.h"
#include "search/timeman.h"
#include "search/tt.h"

namespace tolvane {

// Knobs of the weaker levels. With probability mistake_percent the move
// played is not the best but one of the root moves that score within
// mistake_margin_cp of it, the better ones more likely: a plausible slip,
// never a move far worse than the best.
struct Weakness {
  int mistake_percent = 0;
  int mistake_margin_cp = 0;
  std::uint64_t seed = 1;
};

struct SearchLimits {
  Clock clock;
  int depth = 0;             // depth cap in plies; 0 = none
  std::uint64_t nodes = 0;   // node cap; 0 = none
  bool infinite = false;     // until stopped (analysis)
  bool ponder = false;       // on the opponent's time until ponderhit or stop
  // Answer no sooner than this: a weaker level that replied at once would
  // feel like a machine. Shortened to the clock's budget when there is one.
  std::int64_t min_time_ms = 0;
  Weakness weakness;
  // Judge positions by the hand-written evaluation terms instead of the
  // network: the weaker levels were fitted with them.
  bool classical_evaluation = false;
  int threads = 0;  // threads for this search; 0 = the searcher's own count
};

struct SearchInfo {
  int depth = 0;
  int seldepth = 0;
  int score = 0;  // from the side to move's view
  std::uint64_t nodes = 0;
  std::int64_t time_ms = 0;
  std::vector<Move> pv;
};

struct SearchResult {
  Move best;    // none only when the root has no legal move
  Move ponder;  // the expected reply, may be none
  int score = 0;
  int depth = 0;
  std::uint64_t nodes = 0;
};

// How another thread steers a running search: it may stop it, or tell a
// ponder search that the expected move was played, at any time.
class SearchControl {
 public:
  std::function<void(const SearchInfo&)> on_info;  // after each finished iteration

  void request_stop();
  // The opponent played the expected move: from now on the time limits apply.
  void report_ponderhit();
  // Both signals cleared, for the next search.
  void rearm();
  bool stop_requested() const { return stop_.load(); }
  bool ponderhit_reported() const { return ponderhit_.load(); }
  // Blocks until a search with these limits may answer: at once for a timed
  // one, at a stop for an infinite one, at a ponderhit or stop for a ponder one.
  void wait_for_release(bool infinite, bool ponder);
  // Blocks for the given time or until a stop, whichever comes first.
  void pause(std::chrono::milliseconds duration);

 private:
  std::atomic<bool> stop_{false};
  std::atomic<bool> ponderhit_{false};
  std::mutex mutex_;
  std::condition_variable released_;
};

class Searcher {
 public:
  explicit Searcher(std::size_t hash_mb = 64);
  ~Searcher();
  Searcher(const Searcher&) = delete;
  Searcher& operator=(const Searcher&) = delete;

  // `root` carries the game's earlier positions on its undo stack, so that
  // repetitions of them count as draws.
  SearchResult think(const Position& root, const SearchLimits& limits, SearchControl& control);

  void clear();  // forget everything learned (new game)
  // The best move the table knows for the position, if it is legal there.
  Move table_move(const Position& pos) const;
  void resize(std::size_t hash_mb);
  // The threads of searches whose limits name none; at least one.
  void set_threads(int count);

 private:
  struct Worker;
  Worker& worker(std::size_t index);
  std::uint64_t nodes_searched() const;

  TranspositionTable tt_;
  int threads_ = 1;
  std::vector<std::unique_ptr<Worker>> workers_;  // the first is the caller's
  std::atomic<bool> helpers_stop_{false};
};

// Most threads a search may use.
constexpr int MaxThreads = 64;

// Scores beyond this are mates; MateScore - n means mate in n plies.
constexpr int mate_distance_plies(int score) {
  return score > 0 ? MateScore - score : -(MateScore + score);
}

}  // namespace tolvane
