#include "protocol/input.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <thread>

namespace tolvane {

void CommandQueue::set_filter(Filter filter) {
  std::lock_guard guard(mutex_);
  filter_ = std::move(filter);
}

void CommandQueue::push(std::string line) {
  {
    std::lock_guard guard(mutex_);
    if (filter_ && !filter_(line, lines_)) return;
    lines_.push_back(std::move(line));
  }
  ready_.notify_one();
}

std::string CommandQueue::pop() {
  std::unique_lock guard(mutex_);
  ready_.wait(guard, [&] { return !lines_.empty(); });
  std::string line = std::move(lines_.front());
  lines_.pop_front();
  return line;
}

void CommandQueue::with_lock(const std::function<void(std::deque<std::string>& pending)>& action) {
  std::lock_guard guard(mutex_);
  action(lines_);
}

void start_reader(CommandQueue& queue) {
  std::thread([&queue] {
    std::string line;
    while (std::getline(std::cin, line)) {
      while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
        line.pop_back();
      std::size_t first = line.find_first_not_of(" \t");
      if (first == std::string::npos) continue;
      line.erase(0, first);
      if (line == "quit") std::_Exit(0);
      queue.push(line);
    }
    std::_Exit(0);
  }).detach();
}

}  // namespace tolvane
