#include "protocol/session.h"

namespace tolvane {

void run_session(Session& session, CommandQueue& queue, const std::string& first) {
  queue.set_filter([&session](const std::string& line, const std::deque<std::string>& pending) {
    return session.filter(line, pending);
  });
  for (std::string line = first;; line = queue.pop()) {
    session.execute(line);
    session.use_idle_time();
  }
}

bool arm_search(CommandQueue& queue, SearchControl& control, Session& session,
                const std::function<void()>& mark_running, bool only_when_idle) {
  bool armed = false;
  queue.with_lock([&](std::deque<std::string>& pending) {
    if (only_when_idle && !pending.empty()) return;
    control.rearm();
    mark_running();
    std::deque<std::string> kept;
    for (std::string& line : pending)
      if (session.filter(line, kept)) kept.push_back(std::move(line));
    pending.swap(kept);
    armed = true;
  });
  return armed;
}

}  // namespace tolvane
