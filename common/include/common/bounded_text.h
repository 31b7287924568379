#pragma once
// Copying into fixed character buffers: what does not fit is cut off, and the buffer always ends
// with its terminating zero.
#include <cstddef>
#include <cstring>

// Copies what fits of text into target, a buffer of size bytes; true when all of it fit.
inline bool copy_text(char* target, std::size_t size, const char* text) {
  if (size == 0) return false;
  const std::size_t length = strnlen(text, size);
  const std::size_t part = length < size ? length : size - 1;
  std::memcpy(target, text, part);
  target[part] = '\0';
  return part == length;
}

// Appends what fits of text to the text already in target, a buffer of size bytes; true when all
// of it fit.
inline bool append_text(char* target, std::size_t size, const char* text) {
  if (size == 0) return false;
  const std::size_t used = strnlen(target, size - 1);
  return copy_text(target + used, size - used, text);
}
