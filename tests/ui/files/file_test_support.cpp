#include "tests/ui/files/file_test_support.h"

#include <dlfcn.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>

namespace {

std::string armed_function;
int armed_error = 0;

bool take_fault(const char* function) {
  if (armed_function != function) return false;
  armed_function.clear();
  errno = armed_error;
  return true;
}

template <typename Function>
Function next_definition(const char* name) {
  return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

bool write_text(const char* path, const std::string& text) { return bool(std::ofstream(path) << text << std::flush); }

// Mounts made from here on stay invisible to the rest of the machine.
bool enter_mount_namespace() {
  static const bool entered = [] {
    if (unshare(CLONE_NEWNS) != 0) {
      // Without the right to mount, a user namespace of our own may still give it.
      const uid_t uid = getuid();
      const gid_t gid = getgid();
      if (unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0 || !write_text("/proc/self/setgroups", "deny") ||
          !write_text("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") ||
          !write_text("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1"))
        return false;
    }
    return mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
  }();
  return entered;
}

}  // namespace

extern "C" {

// Fails once when armed; otherwise the C library's own definition runs.
#define FAILS_WHEN_ARMED(Result, function, parameters, arguments)     \
  Result function parameters {                                        \
    if (take_fault(#function)) return -1;                             \
    return next_definition<Result(*) parameters>(#function) arguments; \
  }

FAILS_WHEN_ARMED(int, mkostemp, (char* name, int flags), (name, flags))
FAILS_WHEN_ARMED(int, fsync, (int fd), (fd))
FAILS_WHEN_ARMED(ssize_t, read, (int fd, void* buffer, size_t size), (fd, buffer, size))

// A failing close has closed the file all the same, as the C library's does.
int close(int fd) {
  const int closed = next_definition<int (*)(int)>("close")(fd);
  return take_fault("close") ? -1 : closed;
}

}  // extern "C"

void fail_next_call(const std::string& function, int error) {
  armed_function = function;
  armed_error = error;
}

MountableFolder::~MountableFolder() {
  if (mounted_) umount2(folder().c_str(), MNT_DETACH);
}

bool MountableFolder::mount_tmpfs(const std::string& size) {
  if (!enter_mount_namespace()) return false;
  mounted_ = mount("tmpfs", folder().c_str(), "tmpfs", 0, ("size=" + size).c_str()) == 0;
  return mounted_;
}
