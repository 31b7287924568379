#pragma once
// The console side of the output channel: progress texts, boards and dumps, and the trace log.
#include <cstdio>

// Formats into a bounded scratch buffer and hands it to the console sink, which discards it
// unless a front end installed one.
void console_print(const char* format, ...) __attribute__((format(printf, 1, 2)));
// Waits for a key on a console; there is none, so it returns 0 at once.
int console_pause();
// nullptr (the default) discards console text; the console front end passes stderr.
void set_console_sink(FILE* sink);

// Reads up to size - 1 characters from standard input, stopping after a newline (kept).
int read_console_line(char* buffer, int size);
// The '@' command: reopen standard input on "AUX" (first serial line) or "CON" (the terminal).
void switch_console_input();
// Makes device the source of standard input; when it cannot be opened, standard input stays as it was.
bool reopen_console_input(const char* device);

struct TraceLog {
  int enabled = 0;
  FILE* file = nullptr;
  void trace_write(const char* text);
  void trace_close();
};
extern TraceLog trace_log;
inline void trace_write(const char* text) { trace_log.trace_write(text); }
