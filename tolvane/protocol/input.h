// Commands arrive on a reader thread of their own, so that "quit", "?",
// "stop" and pondering work while the search runs on the main thread. The
// reader hands each line to a filter first (under the queue's lock), which
// may act on it at once; lines it keeps go to the main thread in order.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>

namespace tolvane {

class CommandQueue {
 public:
  // Runs on the reader thread with the lock held. `pending` are the lines not
  // yet taken by the main thread. Returns true to queue the line.
  using Filter = std::function<bool(const std::string& line, const std::deque<std::string>& pending)>;

  void set_filter(Filter filter);
  void push(std::string line);
  // Blocks until a line is there.
  std::string pop();
  // Runs `action` under the lock; it may act on the pending lines and take
  // them out.
  void with_lock(const std::function<void(std::deque<std::string>& pending)>& action);

 private:
  std::mutex mutex_;
  std::condition_variable ready_;
  std::deque<std::string> lines_;
  Filter filter_;
};

// Reads standard input line by line on a detached thread. Line ends may be
// CR LF; the CR and trailing blanks are removed. "quit", and the end of the
// input, end the program at once, even while the main thread is thinking.
void start_reader(CommandQueue& queue);

}  // namespace tolvane
