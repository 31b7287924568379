#pragma once
// A fresh empty folder under the temporary directory, removed with everything in it at the end,
// and whole files read and written.
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

class ScratchFolder {
 public:
  ScratchFolder() {
    const char* base = getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/tolvane-test-XXXXXX";
    if (mkdtemp(pattern.data()) != nullptr) folder_ = pattern;
  }
  ~ScratchFolder() {
    if (folder_.empty()) return;
    std::error_code ignored;
    // A test may have taken away the owner's rights; they come back for the removal.
    std::filesystem::permissions(folder_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(folder_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::string& folder() const { return folder_; }
  std::string path(const std::string& name) const { return folder_ + "/" + name; }
  // The names in the folder, sorted, each followed by a blank.
  std::string listing() const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder_))
      names.insert(entry.path().filename().string());
    std::string text;
    for (const std::string& name : names) text += name + " ";
    return text;
  }

 private:
  std::string folder_;
};

inline std::string read_whole_file(const std::string& path) {
  std::ostringstream text;
  text << std::ifstream(path, std::ios::binary).rdbuf();
  return text.str();
}

inline void write_whole_file(const std::string& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
}
