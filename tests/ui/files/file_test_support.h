#pragma once
// Real failing file systems where the machine allows them, and injected system-call failures
// where it does not.
#include <string>

#include "tests/scratch_folder.h"

// A scratch folder that can take a small file system of its own.
class MountableFolder : public ScratchFolder {
 public:
  ~MountableFolder();

  // A tmpfs of size bytes mounted on the folder inside a mount namespace of this process only;
  // false when the process may not mount.
  bool mount_tmpfs(const std::string& size);

 private:
  bool mounted_ = false;
};

// The next call of the named function ("mkostemp", "fsync", "close" or "read") fails with error;
// every other call goes to the C library.
void fail_next_call(const std::string& function, int error);
