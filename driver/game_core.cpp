#include "driver/game_core.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "common/bounded_text.h"
#include "driver/output_channel.h"

GameCore game_core;
TraceLog trace_log;

namespace {
// Destroyed before trace_log (reverse order of definition), so the log is closed at program end.
struct TraceLogCloser {
  ~TraceLogCloser() { trace_log.trace_close(); }
} trace_log_closer;
}  // namespace

void GameCore::clear_message() { message_buffer[0] = '\0'; }

const char* GameCore::get_message() const { return message_buffer; }

void GameCore::message(const char* format, ...) {
  // The first message of a command wins; a longer text is cut to the buffer.
  if (message_buffer[0] == '\0') {
    va_list arguments;
    va_start(arguments, format);
    vsnprintf(message_buffer, sizeof message_buffer, format, arguments);
    va_end(arguments);
  }
  console_print("%s", message_buffer);
}

void GameCore::set_last_move(const char* text) {
  copy_text(last_move_text, sizeof last_move_text, text);
}

void GameCore::show_last_move() { message("%s", last_move_text); }
