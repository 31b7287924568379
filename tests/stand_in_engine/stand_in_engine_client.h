#pragma once
// Test side of the stand-in engine: writes its script, points TOLVANE_ENGINE at it, and reads
// back every line it received.
#include <cstdlib>

#include "tests/scratch_folder.h"

class StandInEngine {
 public:
  // The script format is described at the top of stand_in_engine.cpp.
  explicit StandInEngine(const std::string& script) {
    std::ofstream(folder_.path("script")) << script;
    std::ofstream{record_path_};
    setenv("STAND_IN_SCRIPT", folder_.path("script").c_str(), 1);
    setenv("STAND_IN_RECORD", record_path_.c_str(), 1);
    setenv("TOLVANE_ENGINE", STAND_IN_ENGINE_PATH, 1);
  }
  ~StandInEngine() {
    for (const char* variable : {"TOLVANE_ENGINE", "STAND_IN_SCRIPT", "STAND_IN_RECORD"}) unsetenv(variable);
  }

  // Every line the engine has received so far, without its line end.
  std::vector<std::string> received() const {
    std::vector<std::string> lines;
    std::ifstream in(record_path_);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

 private:
  ScratchFolder folder_;
  std::string record_path_ = folder_.path("record");
};
