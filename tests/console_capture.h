#pragma once
// The console channel's text, captured in a temporary file while the object lives.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "driver/output_channel.h"

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
