// One protocol spoken by the engine program, and the loop that feeds it the
// commands read from standard input.
#pragma once

#include <deque>
#include <functional>
#include <string>

#include "protocol/input.h"
#include "search/search.h"

namespace tolvane {

class Session {
 public:
  virtual ~Session() = default;
  // Reader thread, queue locked: acts at once on what cannot wait for the
  // main thread; true to queue the line for execute().
  virtual bool filter(const std::string& line, const std::deque<std::string>& pending) = 0;
  // Main thread: one command.
  virtual void execute(const std::string& line) = 0;
  // Main thread, after each command: a search of its own (ponder, analysis)
  // until the next line arrives.
  virtual void use_idle_time() {}
};

// Executes `first`, then every line the reader queues, for good; "quit" and
// the end of the input end the program from the reader thread.
[[noreturn]] void run_session(Session& session, CommandQueue& queue, const std::string& first);

// Prepares `control` for a search about to start, under the queue's lock:
// `mark_running` sets the session's state for the search, and the lines that
// came in before it are filtered again with that state, as if they arrived
// now ("stop" or "?" then act on this search). With `only_when_idle` nothing
// is done, and false returned, while any line waits.
bool arm_search(CommandQueue& queue, SearchControl& control, Session& session,
                const std::function<void()>& mark_running, bool only_when_idle = false);

}  // namespace tolvane
