// The line dialogue of the chess program and the whole xboard protocol
// (version 2), which the dialogue is a plain subset of: a move is answered
// with "move X", a finished game with its result line, "ping N" with
// "pong N"; set-up commands stay silent. "level tolvane X Y" picks one of the
// program's four levels, "showboard" draws the board in nine lines.
#pragma once

#include <atomic>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "protocol/game.h"
#include "protocol/session.h"
#include "protocol/time_control.h"

namespace tolvane {

class XboardSession : public Session {
 public:
  XboardSession(CommandQueue& queue, Searcher& searcher);

  // Acts on "?" at once, and interrupts a ponder or an analysis for any line
  // that needs the main thread.
  bool filter(const std::string& line, const std::deque<std::string>& pending) override;
  void execute(const std::string& line) override;
  // Ponders or analyses until a line arrives.
  void use_idle_time() override;

 private:
  using Words = std::vector<std::string_view>;
  // What a command does to a search under way.
  enum class OnSearch {
    Keeps,       // sets only what a ponder search does not use before its own move
    Interrupts,  // stops a ponder or an analysis; waits for a move being thought about
    Abandons,    // stops any search; a move being thought about is not played
  };
  struct Command {
    std::string_view word;
    void (*run)(XboardSession& session, const Words& words, std::string_view line);
    OnSearch on_search;
  };
  enum class Activity { Idle, Thinking, Pondering, Analyzing };

  static std::span<const Command> commands();
  static const Command* find_command(std::string_view word);
  static OnSearch effect_on_search(const std::string& line);

  void filter_while_pondering(const std::string& line, const std::deque<std::string>& pending);
  void start_new_game();
  void set_board(std::string_view fen);
  void take_back(int moves);
  void handle_move(std::string_view text);
  void think_and_move();
  void ponder();
  void finish_ponder_hit(Move guess, const SearchResult& result);
  void analyse();
  void play_engine_move(const SearchResult& result);
  bool announce_result() const;
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
  TimeControl time_;
  std::uint64_t seed_;
};

}  // namespace tolvane
