// Reading and classifying the engine's replies.
#include <cstdio>
#include <cstring>

#include "common/bounded_text.h"
#include "common/engine_words.h"
#include "engine/engine_link.h"

namespace {

// The handshake reads into a buffer of this size.
constexpr int ENGINE_LINE_LIMIT = 900;

PumpHook pump_hook = nullptr;

bool starts_with(const char* line, const char* prefix) {
  return std::strncmp(line, prefix, std::strlen(prefix)) == 0;
}

bool is_result_line(const char* line) {
  return starts_with(line, WHITE_MATES) || starts_with(line, BLACK_MATES) || starts_with(line, DRAW_PREFIX);
}

// A move, a refusal or an error: what a reply wait waits for, besides a result.
bool is_reply_line(const char* line) {
  return starts_with(line, "move") || starts_with(line, "Engine") || starts_with(line, "error") ||
         starts_with(line, "Error") || starts_with(line, "Illeg");
}

// "pong" and the number as its first two words; only lines shorter than the word buffer qualify.
bool is_pong(const char* line, int length, int number) {
  char word[ENGINE_LINE_LIMIT];
  int answered = 0;
  return length >= 5 && length < ENGINE_LINE_LIMIT &&
         std::sscanf(line, "%899s %d", word, &answered) == 2 && starts_with(word, "pong") &&
         answered == number;
}

void copy_result(const char* line, char* result) { copy_text(result, ENGINE_RESULT_SIZE, line); }

}  // namespace

void set_pump_hook(PumpHook hook) { pump_hook = hook; }

void run_pump_hook() {
  if (pump_hook) pump_hook();
}

void EngineLink::append_about_text(const char* text) {
  append_text(about_text, sizeof about_text, text);
}

int EngineLink::read_greeting(char* buffer, int size, char* result) {
  int length = 0;
  do {
    length = read_line(buffer, size);
    if (starts_with(buffer, "info") && length > 15) {
      append_about_text(buffer + 11);
      append_about_text("\n");
    }
    if (is_result_line(buffer)) copy_result(buffer, result);
  } while (starts_with(buffer, "info"));
  return length;
}

int EngineLink::wait_for_reply(char* buffer, int size, char* result, int pong_number) {
  int length = 0;
  if (size > 0) buffer[0] = '\0';
  // A buffer that cannot take a character could never receive the reply.
  if (size <= 1) return 0;
  for (;;) {
    run_pump_hook();
    length = read_line(buffer, size);
    if (is_result_line(buffer)) {
      copy_result(buffer, result);
      return length;
    }
    if (is_reply_line(buffer)) return length;
    if (pong_number != -1 && is_pong(buffer, length, pong_number)) return length;
    if (start_status != 0 || ended) return length;  // nothing more can come
  }
}

void EngineLink::synchronize(char* result) {
  char ping[32];
  std::snprintf(ping, sizeof ping, "ping %d", ping_counter);
  send_line(ping);
  char line[ENGINE_LINE_LIMIT];
  for (;;) {
    run_pump_hook();
    const int length = read_line(line, sizeof line);
    if (result != nullptr && is_result_line(line)) copy_result(line, result);
    if (is_pong(line, length, ping_counter)) break;
    if (start_status != 0 || ended) break;
  }
  ++ping_counter;
}
