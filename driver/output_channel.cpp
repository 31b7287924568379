#include "driver/output_channel.h"

#include <fcntl.h>
#include <stdio_ext.h>
#include <unistd.h>

#include <cstdarg>

namespace {
FILE* console_sink = nullptr;
constexpr int CONSOLE_SCRATCH_SIZE = 300;
constexpr int SWITCH_LINE_SIZE = 20;
constexpr const char* SERIAL_DEVICE = "/dev/ttyS0";    // "AUX" of the console program
constexpr const char* TERMINAL_DEVICE = "/dev/tty";    // "CON"
}  // namespace

void set_console_sink(FILE* sink) { console_sink = sink; }

void console_print(const char* format, ...) {
  // Without a sink the text is thrown away, so it is not even formatted: dumps run inside searches.
  if (console_sink == nullptr) return;
  char scratch[CONSOLE_SCRATCH_SIZE];
  va_list arguments;
  va_start(arguments, format);
  vsnprintf(scratch, sizeof scratch, format, arguments);
  va_end(arguments);
  fputs(scratch, console_sink);
}

int console_pause() { return 0; }

int read_console_line(char* buffer, int size) {
  if (size <= 0) return 0;
  int stored = 0;
  while (stored < size - 1) {
    const int c = getchar();
    if (c == EOF) break;
    buffer[stored++] = static_cast<char>(c);
    if (c == '\n') break;
  }
  buffer[stored] = '\0';
  return stored;
}

bool reopen_console_input(const char* device) {
  // Open first and replace standard input only on success: freopen would close it on failure.
  // O_NONBLOCK keeps a serial line without carrier from blocking the open itself.
  const int fd = open(device, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  const int flags = fcntl(fd, F_GETFL);
  if (flags >= 0) fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  const bool replaced = dup2(fd, STDIN_FILENO) >= 0;
  close(fd);
  if (replaced) {
    __fpurge(stdin);  // characters buffered from the old source must not be read from the new one
    clearerr(stdin);
  }
  return replaced;
}

void switch_console_input() {
  const int choice = getchar();
  if (choice == 'F' || choice == 'f') {
    char unused_line[SWITCH_LINE_SIZE];
    if (read_console_line(unused_line, sizeof unused_line) > 0) reopen_console_input(SERIAL_DEVICE);
  } else if (choice == 'S' || choice == 's') {
    reopen_console_input(TERMINAL_DEVICE);
  }
}

void TraceLog::trace_write(const char* text) {
  if (enabled != 0 && file != nullptr) fprintf(file, "%s\n", text);
}

void TraceLog::trace_close() {
  if (enabled == 0) return;
  if (file != nullptr) fclose(file);
  file = nullptr;
  enabled = 0;
}
