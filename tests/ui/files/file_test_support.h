#pragma once
// Real failing file systems where the machine allows them, and injected system-call failures
// where it does not.
#include <string>

// A fresh empty folder under the temporary directory, removed with everything in it at the end.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // A tmpfs of size bytes mounted on the folder inside a mount namespace of this process only;
  // false when the process may not mount.
  bool mount_tmpfs(const std::string& size);
  // Makes the mounted tmpfs read-only.
  bool remount_read_only();

  std::string path(const std::string& name) const { return folder_ + "/" + name; }
  const std::string& folder() const { return folder_; }
  // The names in the folder, sorted.
  std::string listing() const;

 private:
  std::string folder_;
  bool mounted_ = false;
};

// The next call of the named function ("mkostemp", "fsync", "close" or "read") fails with error;
// every other call goes to the C library.
void fail_next_call(const std::string& function, int error);

std::string read_whole_file(const std::string& path);
void write_whole_file(const std::string& path, const std::string& content);
