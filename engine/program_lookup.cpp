#include "engine/program_lookup.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

namespace {

bool is_executable_file(const char* path) {
  struct stat info;
  return ::stat(path, &info) == 0 && S_ISREG(info.st_mode) && ::access(path, X_OK) == 0;
}

// Tries directory (length bytes of it; none means the current directory).
bool try_directory(const char* directory, int length, const char* name, char* found, int size) {
  if (length == 0) {
    directory = ".";
    length = 1;
  }
  const int written = std::snprintf(found, size, "%.*s/%s", length, directory, name);
  if (written < 0 || written >= size) return false;
  return is_executable_file(found);
}

}  // namespace

bool locate_program(const char* name, const char* beside_directory, const char* search_path,
                    char* found, int size) {
  if (size <= 0) return false;
  if (beside_directory && *beside_directory &&
      try_directory(beside_directory, static_cast<int>(std::strlen(beside_directory)), name,
                    found, size))
    return true;
  if (try_directory("", 0, name, found, size)) return true;
  for (const char* entry = search_path; entry;) {
    const char* colon = std::strchr(entry, ':');
    const int length = static_cast<int>(colon ? colon - entry : std::strlen(entry));
    if (try_directory(entry, length, name, found, size)) return true;
    entry = colon ? colon + 1 : nullptr;
  }
  found[0] = '\0';
  return false;
}

bool running_executable_directory(char* directory, int size) {
  if (size <= 1) return false;
  const ssize_t length = ::readlink("/proc/self/exe", directory, static_cast<size_t>(size - 1));
  if (length <= 0 || length >= size - 1) return false;
  directory[length] = '\0';
  char* slash = std::strrchr(directory, '/');
  if (!slash) return false;
  *(slash == directory ? slash + 1 : slash) = '\0';
  return true;
}
