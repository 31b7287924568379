#pragma once
// The console channel's two ends for tests: its text captured, and its input fed from a text.
#include <gtest/gtest.h>
#include <stdio_ext.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "driver/output_channel.h"
#include "tests/scratch_folder.h"

// The console channel's text, captured in a temporary file while the object lives.
class ConsoleCapture {
 public:
  ConsoleCapture() : sink_(tmpfile()) {
    if (sink_ == nullptr) ADD_FAILURE() << "cannot make a console sink";
    set_console_sink(sink_);
  }
  ~ConsoleCapture() {
    set_console_sink(nullptr);
    if (sink_) fclose(sink_);
  }
  ConsoleCapture(const ConsoleCapture&) = delete;
  ConsoleCapture& operator=(const ConsoleCapture&) = delete;

  // Everything written since the start, or since the last take().
  std::string text() {
    std::string collected;
    if (sink_ == nullptr) return collected;
    fflush(sink_);
    rewind(sink_);
    for (int c; (c = fgetc(sink_)) != EOF;) collected += static_cast<char>(c);
    return collected;
  }
  // The text, and a fresh start.
  std::string take() {
    std::string collected = text();
    if (sink_ == nullptr) return collected;
    rewind(sink_);
    if (ftruncate(fileno(sink_), 0) != 0) ADD_FAILURE() << "cannot empty the console sink";
    return collected;
  }

 private:
  FILE* sink_;
};

// Standard input, as the console commands read it, fed from a text (at first an empty one) while
// the object lives; afterwards standard input is what it was before.
class ConsoleInput {
 public:
  ConsoleInput() : saved_(dup(STDIN_FILENO)) { feed(""); }
  ~ConsoleInput() {
    if (saved_ < 0) return;
    dup2(saved_, STDIN_FILENO);
    close(saved_);
    __fpurge(stdin);
    clearerr(stdin);
  }
  ConsoleInput(const ConsoleInput&) = delete;
  ConsoleInput& operator=(const ConsoleInput&) = delete;

  // What the next reads get, up to its end; whatever the old text still had is dropped.
  void feed(const std::string& text) {
    const ScratchFolder folder;  // gone again at once: standard input keeps the file open
    write_whole_file(folder.path("input"), text);
    ASSERT_TRUE(reopen_console_input(folder.path("input").c_str()));
  }

 private:
  int saved_;
};
