// The line dialogue of the chess program and the whole xboard protocol
// (version 2), which the dialogue is a plain subset of: a move is answered
// with "move X", a finished game with its result line, "ping N" with
// "pong N"; set-up commands stay silent. "level tolvane X Y" picks one of the
// program's four levels, "showboard" draws the board in nine lines.
#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <string>

#include "protocol/game.h"
#include "protocol/input.h"
#include "protocol/levels.h"
#include "search/search.h"

namespace tolvane {

class XboardSession {
 public:
  XboardSession(CommandQueue& queue, Searcher& searcher);

  // Reader thread, queue locked: acts on "?" and interrupts a ponder or an
  // analysis for any line that needs the main thread.
  bool filter(const std::string& line, const std::deque<std::string>& pending);
  // Main thread: one command.
  void execute(const std::string& line);
  // Main thread, once the queue is empty: ponder or analyse until a line arrives.
  void use_idle_time();

 private:
  enum class Activity { Idle, Thinking, Pondering, Analyzing };

  void handle_move(const std::string& text);
  void think_and_move();
  void ponder();
  void analyse();
  void play_engine_move(const SearchResult& result);
  void set_level(const std::string& mps, const std::string& base, const std::string& inc);
  SearchLimits limits_for_move() const;
  void report(const SearchInfo& info) const;

  CommandQueue& queue_;
  Searcher& searcher_;
  SearchControl control_;
  std::atomic<Activity> activity_{Activity::Idle};
  std::atomic<bool> abandon_{false};
  std::string ponder_text_;  // the expected reply while pondering; guarded by the queue's lock

  Game game_;
  Move expected_reply_;
  bool xboard_ = false;  // "xboard" received: the engine moves only for its own colour
  bool force_ = false;
  bool ponder_ = false;
  std::atomic<bool> post_{false};
  bool analyzing_ = false;
  bool position_valid_ = true;
  Color engine_color_ = Black;

  // Time: one of the program's levels, or the clock of a time control.
  bool use_level_ = true;
  Level level_ = level_by_number(4);
  int moves_per_control_ = 0;
  std::int64_t increment_ms_ = 0;
  std::int64_t move_time_ms_ = 0;
  std::int64_t time_left_ms_ = -1;
  int depth_limit_ = 0;
  std::uint64_t seed_;
};

}  // namespace tolvane
