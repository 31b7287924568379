#include "ui/files/game_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <cstdlib>

#include "ui/files/file_error_text.h"

namespace {

std::string native_path(const QString& path) { return QFile::encodeName(path).toStdString(); }

// A symbolic link stays a link: the file it points at is the one replaced.
std::string file_behind(const std::string& path) {
  struct stat info;
  if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  char* resolved = realpath(path.c_str(), nullptr);
  if (resolved == nullptr) return path;
  std::string target(resolved);
  std::free(resolved);
  return target;
}

std::string folder_of(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string name_of(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool write_all(int fd, const std::string& data) {
  size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

// The new file keeps the permissions of the one it replaces; a first save gets the usual ones.
mode_t mode_for(const struct stat* old_file) {
  if (old_file != nullptr) return old_file->st_mode & 07777;
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

// Once the rename is done the new file is in place; syncing the folder only makes the name
// durable sooner, so its failure is no failure of the save.
void sync_folder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  ::close(fd);
}

}  // namespace

int save_game_file(const QString& path, const std::vector<std::string>& lines) {
  const std::string target = file_behind(native_path(path));
  struct stat old_file;
  const bool exists = stat(target.c_str(), &old_file) == 0;
  // Renaming over a folder or a device would not write into it but replace it.
  if (exists && !S_ISREG(old_file.st_mode)) return file_error_cause(EISDIR, target.c_str());

  std::string content;
  for (const std::string& line : lines) {
    content += line;
    content += "\r\n";
  }

  std::string temporary = folder_of(target) + "/." + name_of(target) + ".XXXXXX";
  const int fd = mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) return file_error_cause(errno, target.c_str());
  fchmod(fd, mode_for(exists ? &old_file : nullptr));

  int failure = 0;
  if (!write_all(fd, content) || fsync(fd) != 0) failure = errno;
  // A full disk may show only here, when the last blocks are given out.
  if (::close(fd) != 0 && failure == 0) failure = errno;
  if (failure == 0 && rename(temporary.c_str(), target.c_str()) != 0) failure = errno;
  if (failure != 0) {
    unlink(temporary.c_str());
    return file_error_cause(failure, target.c_str());
  }
  sync_folder(folder_of(target));
  return 0;
}

GameFileReader::~GameFileReader() {
  if (fd_ >= 0) ::close(fd_);
}

int GameFileReader::open(const QString& path) {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  chunk_used_ = chunk_filled_ = 0;
  read_failure_ = 0;
  path_ = native_path(path);
  // Without O_NONBLOCK a pipe without writer would block the window for good before fstat
  // could turn it away.
  const int fd = ::open(path_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return file_error_cause(errno, path_.c_str());
  struct stat info;
  const int error = fstat(fd, &info) != 0 ? errno : S_ISREG(info.st_mode) ? 0 : EISDIR;
  if (error != 0) {
    ::close(fd);
    return file_error_cause(error, path_.c_str());
  }
  fd_ = fd;
  return 0;
}

int GameFileReader::peek() {
  if (chunk_used_ < chunk_filled_) return static_cast<unsigned char>(chunk_[chunk_used_]);
  if (fd_ < 0 || read_failure_ != 0) return -1;
  ssize_t n;
  do {
    n = ::read(fd_, chunk_, sizeof chunk_);
  } while (n < 0 && errno == EINTR);
  if (n < 0) {
    read_failure_ = file_error_cause(errno, path_.c_str());
    return -1;
  }
  chunk_used_ = 0;
  chunk_filled_ = static_cast<int>(n);
  return n == 0 ? -1 : static_cast<unsigned char>(chunk_[0]);
}

bool GameFileReader::read_line(char* buffer, int size) {
  if (size < 2) return false;
  int length = 0;
  while (length < size - 1) {
    int c = peek();
    if (c < 0) break;
    ++chunk_used_;
    if (c == '\r' && peek() == '\n') {
      ++chunk_used_;
      c = '\n';
    }
    buffer[length++] = static_cast<char>(c);
    if (c == '\n') break;
  }
  buffer[length] = '\0';
  return length > 0 && read_failure_ == 0;
}
