// The UCI protocol, spoken when the first command is "uci".
#pragma once

#include <atomic>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "protocol/game.h"
#include "protocol/session.h"

namespace tolvane {

class UciSession : public Session {
 public:
  UciSession(CommandQueue& queue, Searcher& searcher);

  // During a search: "stop", "ponderhit" and "isready" act at once, and a
  // "go" before the search was stopped is refused (one search at a time).
  bool filter(const std::string& line, const std::deque<std::string>& pending) override;
  void execute(const std::string& line) override;

 private:
  using Words = std::vector<std::string_view>;
  struct Command {
    std::string_view word;
    void (*run)(UciSession& session, const Words& words, std::string_view line);
  };
  static std::span<const Command> commands();

  bool take_search_signal(const std::string& line);
  void set_position(const Words& words);
  void set_option(std::string_view line);
  SearchLimits limits_of(const Words& words) const;
  void go(const Words& words);
  void report(const SearchInfo& info) const;

  CommandQueue& queue_;
  Searcher& searcher_;
  SearchControl control_;
  std::atomic<bool> searching_{false};
  bool stop_sent_ = false;  // for the running search; guarded by the queue's lock
  Game game_;
};

}  // namespace tolvane
