// The UCI protocol, spoken when the first command is "uci".
#pragma once

#include <atomic>
#include <deque>
#include <string>

#include "protocol/game.h"
#include "protocol/input.h"
#include "search/search.h"

namespace tolvane {

class UciSession {
 public:
  UciSession(CommandQueue& queue, Searcher& searcher);

  // Reader thread, queue locked: "stop", "ponderhit" and "isready" during a search.
  bool filter(const std::string& line, const std::deque<std::string>& pending);
  // Main thread: one command.
  void execute(const std::string& line);

 private:
  void set_position(const std::string& line);
  void go(const std::string& line);
  void report(const SearchInfo& info) const;

  CommandQueue& queue_;
  Searcher& searcher_;
  SearchControl control_;
  std::atomic<bool> searching_{false};
  Game game_;
};

}  // namespace tolvane
