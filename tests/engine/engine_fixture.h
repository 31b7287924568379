#pragma once
// Shared pieces of the engine link tests: a folder for programs and a link to a scripted engine.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <memory>
#include <optional>

#include "common/engine_words.h"
#include "engine/engine_link.h"
#include "tests/stand_in_engine/stand_in_engine_client.h"

// A scratch folder for programs the lookup may find.
class ProgramFolder : public ScratchFolder {
 public:
  // A file that the lookup takes for a program: the stand-in engine under another name.
  std::string add_program(const std::string& name) const {
    std::filesystem::create_symlink(STAND_IN_ENGINE_PATH, path(name));
    return path(name);
  }
};

// Restores the current directory and an environment variable when the test is over.
class KeptSetting {
 public:
  explicit KeptSetting(const char* variable) : variable_(variable) {
    if (const char* value = getenv(variable)) value_ = value;
  }
  ~KeptSetting() {
    if (value_) setenv(variable_, value_->c_str(), 1);
    else unsetenv(variable_);
    std::filesystem::current_path(directory_);
  }
  KeptSetting(const KeptSetting&) = delete;
  KeptSetting& operator=(const KeptSetting&) = delete;

 private:
  const char* variable_;
  std::optional<std::string> value_;
  std::filesystem::path directory_ = std::filesystem::current_path();
};

// A link to the stand-in engine running the given script. Reads are bounded, so a fault ends a
// test instead of hanging it; the tests that need an unbounded read say so.
class StandInLink : public ::testing::Test {
 protected:
  void start(const std::string& script) {
    engine_ = std::make_unique<StandInEngine>(script);
    link_ = std::make_unique<EngineLink>();
    link_->read_time_limit_ms = 10000;
    link_->start_engine(0);
    ASSERT_EQ(link_->start_status, 0);
  }
  void TearDown() override {
    link_.reset();  // shuts the engine down before its script goes
    engine_.reset();
  }

  std::unique_ptr<StandInEngine> engine_;
  std::unique_ptr<EngineLink> link_;
  char line_[500] = "";
  char result_[ENGINE_RESULT_SIZE] = "";
};
