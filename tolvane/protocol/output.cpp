#include "protocol/output.h"

#include <unistd.h>

#include <cerrno>
#include <mutex>
#include <string>

namespace tolvane {

void say(std::string_view line) {
  static std::mutex lock;
  std::string text(line);
  text += '\n';
  std::lock_guard guard(lock);
  const char* p = text.data();
  std::size_t left = text.size();
  while (left > 0) {
    ssize_t n = ::write(STDOUT_FILENO, p, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;  // the reader is gone; nothing sensible is left to do
    p += n;
    left -= std::size_t(n);
  }
}

}  // namespace tolvane
