#include "engine/program_lookup.h"

#include <sys/stat.h>

#include "tests/engine/engine_fixture.h"

namespace {

class ProgramLookup : public ::testing::Test {
 protected:
  ScratchDirectory beside_, current_, first_on_path_, second_on_path_;
  KeptSetting kept_{"PATH"};  // and the current directory
  char found_[4096] = "";

  void SetUp() override { std::filesystem::current_path(current_.path()); }
  std::string path_list() const { return first_on_path_.path() + ":" + second_on_path_.path(); }
  bool locate(const char* beside) {
    return locate_program(ENGINE_PROGRAM_NAME, beside, path_list().c_str(), found_, sizeof found_);
  }
};

TEST_F(ProgramLookup, BesideTheExecutableComesFirstThenTheCurrentDirectoryThenPath) {
  second_on_path_.add_program(ENGINE_PROGRAM_NAME);
  ASSERT_TRUE(locate(beside_.path().c_str()));
  EXPECT_EQ(std::string(found_), second_on_path_.file(ENGINE_PROGRAM_NAME));

  first_on_path_.add_program(ENGINE_PROGRAM_NAME);
  ASSERT_TRUE(locate(beside_.path().c_str()));
  EXPECT_EQ(std::string(found_), first_on_path_.file(ENGINE_PROGRAM_NAME));

  current_.add_program(ENGINE_PROGRAM_NAME);
  ASSERT_TRUE(locate(beside_.path().c_str()));
  EXPECT_EQ(std::string(found_), std::string("./") + ENGINE_PROGRAM_NAME);

  beside_.add_program(ENGINE_PROGRAM_NAME);
  ASSERT_TRUE(locate(beside_.path().c_str()));
  EXPECT_EQ(std::string(found_), beside_.file(ENGINE_PROGRAM_NAME));
}

TEST_F(ProgramLookup, WhatCannotBeRunIsPassedOver) {
  std::filesystem::create_directory(first_on_path_.file(ENGINE_PROGRAM_NAME));
  std::ofstream(current_.file(ENGINE_PROGRAM_NAME)) << "not executable";
  chmod(current_.file(ENGINE_PROGRAM_NAME).c_str(), 0644);
  EXPECT_FALSE(locate(nullptr));
  EXPECT_EQ(std::string(found_), "");

  second_on_path_.add_program(ENGINE_PROGRAM_NAME);
  ASSERT_TRUE(locate(""));
  EXPECT_EQ(std::string(found_), second_on_path_.file(ENGINE_PROGRAM_NAME));
}

TEST(RunningExecutable, ItsDirectoryHoldsThisTestProgram) {
  char directory[4096];
  ASSERT_TRUE(running_executable_directory(directory, sizeof directory));
  EXPECT_TRUE(std::filesystem::exists(std::string(directory) + "/engine_tests"));
  char small[4];
  EXPECT_FALSE(running_executable_directory(small, sizeof small));
}

}  // namespace
