#include "engine/program_lookup.h"

#include <sys/stat.h>

#include "tests/engine/engine_fixture.h"

namespace {

class ProgramLookup : public ::testing::Test {
 protected:
  ProgramFolder beside_, installed_, current_, first_on_path_, second_on_path_;
  KeptSetting kept_{"PATH"};  // and the current directory
  char found_[4096] = "";

  void SetUp() override { std::filesystem::current_path(current_.folder()); }
  std::string path_list() const { return first_on_path_.folder() + ":" + second_on_path_.folder(); }
  ProgramPlace locate(const char* beside, const char* installed) {
    return locate_program(ENGINE_PROGRAM_NAME, beside, installed, path_list().c_str(), found_, sizeof found_);
  }
  ProgramPlace locate_everywhere() { return locate(beside_.folder().c_str(), installed_.folder().c_str()); }
};

TEST_F(ProgramLookup, BesideComesFirstThenTheInstallationThenTheCurrentDirectoryThenPath) {
  // Each program added is found before all those added earlier.
  const std::string name = ENGINE_PROGRAM_NAME;
  for (const auto& [folder, place, found] :
       {std::tuple<const ProgramFolder&, ProgramPlace, std::string>{second_on_path_, ProgramPlace::search_path,
                                                                   second_on_path_.path(name)},
        {first_on_path_, ProgramPlace::search_path, first_on_path_.path(name)},
        {current_, ProgramPlace::current_directory, "./" + name},
        {installed_, ProgramPlace::installed, installed_.path(name)},
        {beside_, ProgramPlace::beside, beside_.path(name)}}) {
    folder.add_program(name);
    ASSERT_EQ(locate_everywhere(), place) << found;
    EXPECT_EQ(std::string(found_), found);
  }
}

TEST_F(ProgramLookup, WhatCannotBeRunIsPassedOver) {
  std::filesystem::create_directory(first_on_path_.path(ENGINE_PROGRAM_NAME));
  std::ofstream(current_.path(ENGINE_PROGRAM_NAME)) << "not executable";
  chmod(current_.path(ENGINE_PROGRAM_NAME).c_str(), 0644);
  std::ofstream(installed_.path(ENGINE_PROGRAM_NAME)) << "not executable either";
  EXPECT_EQ(locate(nullptr, installed_.folder().c_str()), ProgramPlace::nowhere);
  EXPECT_EQ(std::string(found_), "");

  second_on_path_.add_program(ENGINE_PROGRAM_NAME);
  ASSERT_EQ(locate("", ""), ProgramPlace::search_path);
  EXPECT_EQ(std::string(found_), second_on_path_.path(ENGINE_PROGRAM_NAME));
}

TEST_F(ProgramLookup, TheInstalledEngineIsFoundFromTheProgramsFolderWithoutPath) {
  // prefix/bin/tolvane-chess starts prefix/lib/tolvane/tolvane.exe.
  std::filesystem::create_directories(installed_.path("bin"));
  std::filesystem::create_directories(installed_.path("lib/tolvane"));
  const std::string engine = std::string("lib/tolvane/") + ENGINE_PROGRAM_NAME;
  installed_.add_program(engine);
  char engine_folder[4096];
  ASSERT_TRUE(installed_engine_directory(installed_.path("bin").c_str(), engine_folder, sizeof engine_folder));
  ASSERT_EQ(locate_program(ENGINE_PROGRAM_NAME, installed_.path("bin").c_str(), engine_folder, nullptr, found_,
                           sizeof found_),
            ProgramPlace::installed);
  EXPECT_TRUE(std::filesystem::equivalent(found_, installed_.path(engine)));

  char small[8];
  EXPECT_FALSE(installed_engine_directory(installed_.path("bin").c_str(), small, sizeof small));
}

TEST(RunningExecutable, ItsDirectoryHoldsThisTestProgram) {
  char directory[4096];
  ASSERT_TRUE(running_executable_directory(directory, sizeof directory));
  EXPECT_TRUE(std::filesystem::exists(std::string(directory) + "/engine_tests"));
  char small[4];
  EXPECT_FALSE(running_executable_directory(small, sizeof small));
}

}  // namespace
