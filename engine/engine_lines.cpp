// One text line at a time over the engine's pipes.
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "engine/engine_link.h"

namespace {

// Writes all of it; false when the pipe refuses (the engine has ended).
bool write_all(int descriptor, const char* data, size_t length) {
  while (length > 0) {
    const ssize_t written = ::write(descriptor, data, length);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    data += written;
    length -= static_cast<size_t>(written);
  }
  return true;
}

enum class ByteRead { byte, ended };

// Slices of a wait between which the window may repaint and take its close box.
constexpr int PUMP_SLICE_MS = 50;

// Waits for one byte, at most time_limit_ms (-1: without limit), pumping the window between
// slices; a byte that does not come in time, end of file and a read error all end the engine
// for this link.
ByteRead read_byte(int descriptor, int time_limit_ms, char& byte) {
  int waited = 0;
  for (;;) {
    const int slice = time_limit_ms < 0 ? PUMP_SLICE_MS : std::min(PUMP_SLICE_MS, time_limit_ms - waited);
    pollfd waiting{descriptor, POLLIN, 0};
    const int ready = ::poll(&waiting, 1, slice);
    if (ready < 0 && errno == EINTR) continue;
    if (ready < 0) return ByteRead::ended;
    if (ready == 0) {
      waited += slice;
      if (time_limit_ms >= 0 && waited >= time_limit_ms) return ByteRead::ended;
      run_pump_hook();
      continue;
    }
    const ssize_t got = ::read(descriptor, &byte, 1);
    if (got < 0 && errno == EINTR) continue;
    return got == 1 ? ByteRead::byte : ByteRead::ended;
  }
}

}  // namespace

int EngineLink::send_line(const char* text) {
  if (start_status != 0 || child_stdin_write < 0) return 0;
  int length = 0;
  while (length < SEND_BUFFER_SIZE - 2 && text[length] != '\0' && text[length] != '\r') {
    send_buffer[length] = text[length];
    ++length;
  }
  send_buffer[length++] = '\r';
  send_buffer[length++] = '\n';
  write_all(child_stdin_write, send_buffer, static_cast<size_t>(length));  // failure ignored
  return length;
}

int EngineLink::read_line(char* buffer, int size) {
  if (size <= 0) return 0;
  buffer[0] = '\0';
  if (size == 1 || start_status != 0 || ended || child_stdout_read < 0) return 0;
  int length = 0;
  while (length < size - 1) {
    char byte;
    if (read_byte(child_stdout_read, read_time_limit_ms, byte) == ByteRead::ended) {
      ended = true;
      break;
    }
    if (byte == '\n') break;
    buffer[length++] = byte;
  }
  buffer[length] = '\0';
  return length;
}
