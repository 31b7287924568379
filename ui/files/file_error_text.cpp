#include "ui/files/file_error_text.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <string>

namespace {

const char* const CAUSE_TEXTS[] = {
    "",
    "",
    "The file could not be located.",
    "All or part of the path is invalid.",
    "The permitted number of open files was exceeded.",
    "The file could not be accessed.",
    "There was an attempt to use an invalid file handle.",
    "The current working directory cannot be removed.",
    "There are no more directory entries.",
    "There was an error trying to set the file pointer.",
    "There was a hardware error.",
    "SHARE.EXE was not loaded, or a shared region was locked.",
    "There was an attempt to lock a region that was already locked.",
    "The disk is full.",
    "End of File",
};

bool folder_exists(const char* path) {
  std::string folder(path);
  const size_t slash = folder.find_last_of('/');
  folder = slash == std::string::npos ? "." : slash == 0 ? "/" : folder.substr(0, slash);
  struct stat info;
  return stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

const char* FileErrorText(int32_t cause) {
  static char buffer[80];
  const char* detail = cause >= 0 && cause <= 14 ? CAUSE_TEXTS[cause] : "";
  std::snprintf(buffer, sizeof buffer, "Datei-Fehler : %s", detail);
  return buffer;
}

int32_t file_error_cause(int error_number, const char* path) {
  switch (error_number) {
    case ENOENT: return folder_exists(path) ? 2 : 3;
    case ENOTDIR: case ENAMETOOLONG: case ELOOP: return 3;
    case EMFILE: case ENFILE: return 4;
    case EACCES: case EPERM: case EISDIR: case EROFS: return 5;
    case EBADF: return 6;
    case ESPIPE: return 9;
    case EIO: return 10;
    case ETXTBSY: return 11;
    case ENOSPC: case EDQUOT: return 13;
    default: return 1;
  }
}
