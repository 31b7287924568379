#pragma once
// The real tolvane.exe as a child over the chess program's own engine link:
// lines sent end in CR LF, and a read gives up after a generous bound that
// only keeps a broken engine from hanging the test.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/engine_link.h"

inline bool begins(const std::string& line, const std::string& prefix) { return line.rfind(prefix, 0) == 0; }

class EngineProcess {
 public:
  EngineProcess() : link_(std::make_unique<EngineLink>()) {
    ::setenv("TOLVANE_ENGINE", TOLVANE_EXE_PATH, 1);
    link_->read_time_limit_ms = 30000;
    link_->start_engine(0);
  }

  bool started() const { return link_->start_status == 0; }
  void send(const std::string& line) { link_->send_line(line.c_str()); }
  void send(std::initializer_list<std::string> lines) { for (const std::string& line : lines) send(line); }

  // The next line without its line end; nothing once the engine has ended or stays silent.
  std::optional<std::string> read_line() {
    char buffer[4096];
    const int length = link_->read_line(buffer, sizeof buffer);
    if (length == 0 && link_->engine_ended()) return std::nullopt;
    std::string line(buffer, std::size_t(length));
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
  }

  // Lines up to and including the first that begins with `prefix`.
  std::vector<std::string> read_until(const std::string& prefix) {
    std::vector<std::string> lines;
    while (auto line = read_line()) {
      lines.push_back(*line);
      if (begins(*line, prefix)) break;
    }
    return lines;
  }
  // The first line that begins with `prefix`; empty when the engine ends first.
  std::string first(const std::string& prefix) {
    auto lines = read_until(prefix);
    return lines.empty() || !begins(lines.back(), prefix) ? "" : lines.back();
  }
  // Sends "ping n"; the lines that came before its pong, which must come.
  std::vector<std::string> before_pong(int n) {
    const std::string pong = "pong " + std::to_string(n);
    send("ping " + std::to_string(n));
    auto lines = read_until(pong);
    EXPECT_TRUE(!lines.empty() && lines.back() == pong) << pong;
    if (!lines.empty()) lines.pop_back();
    return lines;
  }

  // The reply the chess program waits for after a move (move, refusal, error
  // or result), as the link picks it out from thinking output.
  std::string reply() {
    char line[4096], result[ENGINE_RESULT_SIZE];
    link_->wait_for_reply(line, sizeof line, result);
    return line;
  }

 private:
  std::unique_ptr<EngineLink> link_;
};

// A test with the engine started and its greeting read: the "info" lines and the two lines after them.
class GreetedEngine : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(engine.started());
    for (int others = 0; others < 2;) {
      const auto line = engine.read_line();
      if (!line) break;
      greeting.push_back(*line);
      others += !begins(*line, "info");
    }
  }
  EngineProcess engine;
  std::vector<std::string> greeting;
};
