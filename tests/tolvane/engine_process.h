#pragma once
// Starts the real tolvane.exe as a child over two pipes and talks to it line
// by line, as the chess program does: lines sent end in CR LF.
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <optional>
#include <string>
#include <vector>

extern char** environ;

class EngineProcess {
 public:
  EngineProcess() {
    int to_child[2], from_child[2];
    if (pipe(to_child) != 0 || pipe(from_child) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, to_child[0], 0);
    posix_spawn_file_actions_adddup2(&actions, from_child[1], 1);
    posix_spawn_file_actions_adddup2(&actions, from_child[1], 2);
    posix_spawn_file_actions_addclose(&actions, to_child[1]);
    posix_spawn_file_actions_addclose(&actions, from_child[0]);
    char* argv[] = {const_cast<char*>("tolvane.exe"), nullptr};
    if (posix_spawn(&pid_, TOLVANE_EXE_PATH, &actions, nullptr, argv, environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(to_child[0]);
    close(from_child[1]);
    in_ = to_child[1];
    out_ = from_child[0];
    signal(SIGPIPE, SIG_IGN);
  }
  ~EngineProcess() {
    if (in_ >= 0) close(in_);
    if (out_ >= 0) close(out_);
    if (pid_ > 0 && !exited_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }
  EngineProcess(const EngineProcess&) = delete;
  EngineProcess& operator=(const EngineProcess&) = delete;

  bool started() const { return pid_ > 0; }

  void send(const std::string& line) {
    std::string text = line + "\r\n";
    ssize_t ignored = write(in_, text.data(), text.size());
    (void)ignored;
  }

  // The next line without its line end, or nothing when none comes within the
  // time-out (a generous bound that only keeps a broken engine from hanging the test).
  std::optional<std::string> read_line(int timeout_ms = 30000) {
    for (;;) {
      auto end = buffer_.find('\n');
      if (end != std::string::npos) {
        std::string line = buffer_.substr(0, end);
        buffer_.erase(0, end + 1);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        return line;
      }
      pollfd p{out_, POLLIN, 0};
      if (poll(&p, 1, timeout_ms) <= 0) return std::nullopt;
      char chunk[4096];
      ssize_t n = read(out_, chunk, sizeof chunk);
      if (n <= 0) return std::nullopt;
      buffer_.append(chunk, std::size_t(n));
    }
  }

  // Lines up to and including the first that begins with `prefix`.
  std::vector<std::string> read_until(const std::string& prefix) {
    std::vector<std::string> lines;
    while (auto line = read_line()) {
      lines.push_back(*line);
      if (line->rfind(prefix, 0) == 0) break;
    }
    return lines;
  }

  // Reads the greeting: the "info" lines and the two lines after them.
  std::vector<std::string> read_greeting() {
    std::vector<std::string> lines;
    int others = 0;
    while (others < 2) {
      auto line = read_line();
      if (!line) break;
      lines.push_back(*line);
      if (line->rfind("info", 0) != 0) ++others;
    }
    return lines;
  }

  // Waits for the child to end; true when it ended within the bound.
  bool wait_for_exit(int bound_ms = 10000) {
    for (int waited = 0; waited < bound_ms; waited += 10) {
      if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
        exited_ = true;
        return true;
      }
      usleep(10000);
    }
    return false;
  }

 private:
  pid_t pid_ = -1;
  int in_ = -1;
  int out_ = -1;
  bool exited_ = false;
  std::string buffer_;
};
