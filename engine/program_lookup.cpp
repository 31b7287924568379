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

// Tries a directory given by the caller; null or empty ones are skipped.
bool try_given_directory(const char* directory, const char* name, char* found, int size) {
  return directory && *directory &&
         try_directory(directory, static_cast<int>(std::strlen(directory)), name, found, size);
}

}  // namespace

ProgramPlace locate_program(const char* name, const char* beside_directory, const char* installed_directory,
                            const char* search_path, char* found, int size) {
  if (size <= 0) return ProgramPlace::nowhere;
  if (try_given_directory(beside_directory, name, found, size)) return ProgramPlace::beside;
  if (try_given_directory(installed_directory, name, found, size)) return ProgramPlace::installed;
  if (try_directory("", 0, name, found, size)) return ProgramPlace::current_directory;
  for (const char* entry = search_path; entry;) {
    const char* colon = std::strchr(entry, ':');
    const int length = static_cast<int>(colon ? colon - entry : std::strlen(entry));
    if (try_directory(entry, length, name, found, size)) return ProgramPlace::search_path;
    entry = colon ? colon + 1 : nullptr;
  }
  found[0] = '\0';
  return ProgramPlace::nowhere;
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

bool installed_engine_directory(const char* executable_directory, char* directory, int size) {
  const int written = std::snprintf(directory, size, "%s/../%s", executable_directory, TOLVANE_ENGINE_DIR);
  return written >= 0 && written < size;
}
