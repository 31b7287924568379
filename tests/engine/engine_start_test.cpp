#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cerrno>
#include <sstream>

#include "tests/engine/engine_fixture.h"

namespace {

// Environment and directory as a start sees them; all restored afterwards.
class EngineStart : public ::testing::Test {
 protected:
  KeptSetting kept_path_{"PATH"};
  KeptSetting kept_engine_{"TOLVANE_ENGINE"};
  ProgramFolder current_, on_path_;
  EngineLink link_;
  char line_[500] = "";
  char result_[ENGINE_RESULT_SIZE] = "";

  // Starts the engine; the start's status.
  int start() {
    link_.start_engine(0);
    return link_.start_status;
  }
  void SetUp() override {
    link_.read_time_limit_ms = 10000;
    unsetenv("TOLVANE_ENGINE");
    setenv("PATH", on_path_.folder().c_str(), 1);
    std::filesystem::current_path(current_.folder());
  }
};

TEST_F(EngineStart, AMissingProgramGivesFourAndALinkThatDoesNothing) {
  EXPECT_EQ(start(), 4);
  EXPECT_STREQ(link_.command_line, ENGINE_PROGRAM_NAME);
  EXPECT_EQ(std::filesystem::current_path(), current_.folder());

  EXPECT_EQ(link_.send_line("new"), 0);
  strcpy(line_, "stale");
  EXPECT_EQ(link_.read_line(line_, sizeof line_), 0);
  EXPECT_STREQ(line_, "");
  EXPECT_EQ(link_.read_greeting(line_, sizeof line_, result_), 0);
  EXPECT_EQ(link_.wait_for_reply(line_, sizeof line_, result_), 0);
  link_.synchronize();
  EXPECT_EQ(link_.ping_counter, 2);
  EXPECT_FALSE(link_.engine_ended());

  link_.shut_down();
  EXPECT_EQ(link_.start_status, 4);  // nothing ran, nothing to do
}

TEST_F(EngineStart, AReplacementCommandThatCannotRunOrIsTooLongGivesFour) {
  setenv("TOLVANE_ENGINE", "no-such-engine --level 3", 1);
  EXPECT_EQ(start(), 4);
  EXPECT_STREQ(link_.command_line, "no-such-engine --level 3");

  setenv("TOLVANE_ENGINE", std::string(COMMAND_LINE_SIZE, 'x').c_str(), 1);
  EXPECT_EQ(start(), 4);
}

// Found along PATH or in the current directory, the engine runs in the directory it was found in.
TEST_F(EngineStart, ItsDirectoryBecomesTheCurrentOne) {
  StandInEngine engine("");
  unsetenv("TOLVANE_ENGINE");
  for (const ProgramFolder* found_in : {&on_path_, &current_}) {
    std::filesystem::current_path(current_.folder());
    found_in->add_program(ENGINE_PROGRAM_NAME);
    ASSERT_EQ(start(), 0);
    EXPECT_EQ(std::filesystem::current_path(), found_in->folder());
  }
}

TEST_F(EngineStart, TheReplacementCommandIsSplitIntoWords) {
  ProgramFolder files;
  std::ofstream(files.path("script")) << "greet hello from the arguments\n";
  const std::string words = STAND_IN_ENGINE_PATH + ("  " + files.path("script")) + " " + files.path("record");
  setenv("TOLVANE_ENGINE", words.c_str(), 1);
  ASSERT_EQ(start(), 0);
  EXPECT_EQ(std::filesystem::current_path(), current_.folder());
  link_.read_line(line_, sizeof line_);
  EXPECT_STREQ(line_, "hello from the arguments");
}

// The engine must die of a broken pipe as usual, and hold no end of its pipes but its own.
TEST_F(EngineStart, TheEngineGetsDefaultSigpipeAndOnlyItsOwnPipeEnds) {
  StandInEngine engine("");
  ASSERT_EQ(start(), 0);
  link_.synchronize();  // the engine is up and past its exec

  const std::string proc = "/proc/" + std::to_string(link_.process_id);
  std::ifstream status(proc + "/status");
  unsigned long long ignored = ~0ull;
  for (std::string entry; std::getline(status, entry);)
    if (entry.rfind("SigIgn:", 0) == 0) std::istringstream(entry.substr(7)) >> std::hex >> ignored;
  EXPECT_EQ(ignored & (1ull << (SIGPIPE - 1)), 0u);
  EXPECT_EQ(signal(SIGPIPE, SIG_IGN), SIG_IGN);  // ignored here

  const auto pipe_of = [](int fd) {
    struct stat ours {};
    EXPECT_EQ(fstat(fd, &ours), 0);
    return "pipe:[" + std::to_string(ours.st_ino) + "]";
  };
  const std::string own_input = pipe_of(link_.child_stdin_write), own_output = pipe_of(link_.child_stdout_read);
  int held_input = 0, held_output = 0;
  for (const auto& entry : std::filesystem::directory_iterator(proc + "/fd")) {
    const std::string target = std::filesystem::read_symlink(entry.path());
    const std::string number = entry.path().filename();
    if (target == own_input) held_input += number == "0" ? 1 : 100;
    if (target == own_output) held_output += number == "1" || number == "2" ? 1 : 100;
  }
  EXPECT_EQ(std::tuple(held_input, held_output), std::tuple(1, 2));
  EXPECT_EQ(std::tuple(link_.child_stdin_read, link_.child_stdout_write), std::tuple(-1, -1));
}

// Shut down tells the engine to quit, kills it when it stays, and reaps it either way.
TEST_F(EngineStart, ShutDownSaysQuitAndReapsTheEngine) {
  for (const char* script : {"", "on quit => @sleep 60000\n"}) {
    StandInEngine engine(script);
    ASSERT_EQ(start(), 0);
    const pid_t child = link_.process_id;
    link_.synchronize();  // up and reading: a slow start must not pass for a stay after quit
    const std::vector<std::string> heard = {"ping " + std::to_string(link_.ping_counter - 1), "quit"};
    link_.shut_down();
    EXPECT_EQ(engine.received(), heard);
    EXPECT_EQ(waitpid(child, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
    EXPECT_EQ(std::tuple(link_.start_status, link_.process_id, link_.child_stdin_write, link_.child_stdout_read),
              std::tuple(-1, 0, -1, -1));
    link_.shut_down();  // at exit once more: nothing left to do
    EXPECT_EQ(engine.received(), heard);
  }
}

TEST_F(EngineStart, ANewStartEndsTheEngineBefore) {
  StandInEngine engine("greet info about the engine here\ngreet ready\n");
  ASSERT_EQ(start(), 0);
  link_.read_greeting(line_, sizeof line_, result_);
  const pid_t first = link_.process_id;

  ASSERT_EQ(start(), 0);
  EXPECT_EQ(waitpid(first, nullptr, WNOHANG), -1);
  EXPECT_STREQ(link_.about_text, "");  // emptied by the start, filled by the greeting
  link_.read_greeting(line_, sizeof line_, result_);
  EXPECT_STREQ(link_.about_text, "the engine here\n");
  EXPECT_EQ(engine.received(), std::vector<std::string>{"quit"});
}

}  // namespace
