#pragma once
// Game files on disk: saving replaces the old file only once the new one is safely written, and
// loading reads a line at a time as a text-mode stream would.
#include <QString>
#include <string>
#include <vector>

// Writes each line followed by CR LF into a temporary file beside path, makes it durable and renames
// it over path. Returns 0, or the cause number of the failure (see FileErrorText); on failure the
// file that was at path stays as it was.
int save_game_file(const QString& path, const std::vector<std::string>& lines);

class GameFileReader {
 public:
  GameFileReader() = default;
  ~GameFileReader();
  GameFileReader(const GameFileReader&) = delete;
  GameFileReader& operator=(const GameFileReader&) = delete;

  // 0, or the cause number why path cannot be read; only regular files are opened.
  int open(const QString& path);

  // Reads up to size - 1 characters into buffer, ending after the first line feed, and terminates
  // the text with a zero. CR LF is read as LF. False at the end of the file or on a read failure.
  bool read_line(char* buffer, int size);

  // The cause number of the failure that ended reading, or 0 when it was the end of the file.
  int read_failure() const { return read_failure_; }

 private:
  // The next byte without taking it, or -1 at the end or on a failure.
  int peek();

  int fd_ = -1;
  std::string path_;
  char chunk_[4096];
  int chunk_used_ = 0;
  int chunk_filled_ = 0;
  int read_failure_ = 0;
};
