#pragma once
// Test side of the stand-in engine: writes its script, points TOLVANE_ENGINE at it, and reads
// back every line it received.
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

class StandInEngine {
 public:
  // The script format is described at the top of stand_in_engine.cpp.
  explicit StandInEngine(const std::string& script) {
    char pattern[] = "/tmp/stand-in-XXXXXX";
    directory_ = mkdtemp(pattern) ? pattern : "/tmp";
    script_path_ = directory_ + "/script";
    record_path_ = directory_ + "/record";
    std::ofstream(script_path_) << script;
    std::ofstream{record_path_};
    setenv("STAND_IN_SCRIPT", script_path_.c_str(), 1);
    setenv("STAND_IN_RECORD", record_path_.c_str(), 1);
    setenv("TOLVANE_ENGINE", STAND_IN_ENGINE_PATH, 1);
  }
  ~StandInEngine() {
    unsetenv("TOLVANE_ENGINE");
    unsetenv("STAND_IN_SCRIPT");
    unsetenv("STAND_IN_RECORD");
    ::unlink(script_path_.c_str());
    ::unlink(record_path_.c_str());
    ::rmdir(directory_.c_str());
  }
  StandInEngine(const StandInEngine&) = delete;
  StandInEngine& operator=(const StandInEngine&) = delete;

  // Every line the engine has received so far, without its line end.
  std::vector<std::string> received() const {
    std::vector<std::string> lines;
    std::ifstream in(record_path_);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

  const std::string& record_path() const { return record_path_; }

 private:
  std::string directory_;
  std::string script_path_;
  std::string record_path_;
};
