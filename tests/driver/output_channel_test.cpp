// The command's message, the last-move text and the console-style input of the output channel.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "driver/game_core.h"
#include "driver/output_channel.h"
#include "tests/console_io.h"

namespace {

class MessageTest : public ::testing::Test {
 protected:
  void SetUp() override { game_core.clear_message(); }
};

TEST_F(MessageTest, FirstNonEmptyMessageOfACommandWins) {
  EXPECT_STREQ(game_core.get_message(), "");
  game_core.message("%s", "");
  EXPECT_STREQ(game_core.get_message(), "") << "an empty first message must not block the next";
  game_core.message("\n%s\n", "Error   2 : Ungenuegende Angabe fuer Bauernumwandlung");
  game_core.message("\n%s\n", "Error   1 : Ungueltiger Zug !");
  EXPECT_STREQ(game_core.get_message(), "\nError   2 : Ungenuegende Angabe fuer Bauernumwandlung\n");
  game_core.clear_message();
  game_core.message("%d%%", 7);
  EXPECT_STREQ(game_core.get_message(), "7%");
}

TEST_F(MessageTest, LongMessageIsCutWithoutTouchingTheLastMoveText) {
  game_core.set_last_move("e2e4");
  const std::string long_text(5000, 'x');
  game_core.message("%s", long_text.c_str());
  EXPECT_EQ(std::string(game_core.get_message()), std::string(MESSAGE_BUFFER_SIZE - 1, 'x'));
  EXPECT_STREQ(game_core.last_move_text, "e2e4");
}

TEST(ConsolePrintTest, WritesToTheSinkAndCutsAtItsScratchBuffer) {
  ConsoleCapture capture;
  console_print("%s|%d", "Zug", 12);
  console_print("%s", std::string(1000, 'y').c_str());
  set_console_sink(nullptr);
  console_print("discarded");
  EXPECT_EQ(capture.text(), "Zug|12" + std::string(299, 'y'));
  EXPECT_EQ(console_pause(), 0);
}

class ConsoleInputTest : public ::testing::Test {
 protected:
  ConsoleInput input_;
};

TEST_F(ConsoleInputTest, ReadsOneLineWithItsNewlineAndStopsAtTheSize) {
  input_.feed("abc\ndefghij\n");
  char buffer[20];
  // The last read finds the end of the input.
  for (const auto& [size, line] : {std::pair{20, "abc\n"}, {4, "def"}, {1, ""}, {20, "ghij\n"}, {20, ""}}) {
    EXPECT_EQ(read_console_line(buffer, size), static_cast<int>(std::strlen(line))) << line;
    EXPECT_STREQ(buffer, line);
  }
}

TEST_F(ConsoleInputTest, ADeviceThatCannotBeOpenedLeavesStandardInputReadable) {
  input_.feed("first\nsecond\n");
  char buffer[20];
  ASSERT_EQ(read_console_line(buffer, 20), 6);
  EXPECT_FALSE(reopen_console_input("/nonexistent/device"));
  EXPECT_EQ(read_console_line(buffer, 20), 7);
  EXPECT_STREQ(buffer, "second\n");
}

TEST_F(ConsoleInputTest, ReopenedInputDropsWhatWasBufferedFromTheOldSource) {
  input_.feed("old line\nleft over\n");
  char buffer[20];
  ASSERT_EQ(read_console_line(buffer, 20), 9);  // stdio has buffered "left over" by now
  input_.feed("new\n");
  EXPECT_EQ(read_console_line(buffer, 20), 4);
  EXPECT_STREQ(buffer, "new\n");
}

TEST_F(ConsoleInputTest, SwitchWithAnotherLetterReadsOnlyThatLetter) {
  input_.feed("xrest\n");
  switch_console_input();
  char buffer[20];
  EXPECT_EQ(read_console_line(buffer, 20), 5);
  EXPECT_STREQ(buffer, "rest\n");
}

TEST(TraceLogTest, ClosedLogIgnoresWritesAndOpenLogWritesLines) {
  TraceLog trace;
  trace.trace_write("hauptloop");  // closed: ignored
  trace.trace_close();
  EXPECT_EQ(trace.file, nullptr);
  const ScratchFolder folder;
  trace.file = fopen(folder.path("trace").c_str(), "w");
  ASSERT_NE(trace.file, nullptr);
  trace.enabled = 1;
  trace.trace_write("hauptloop B");
  trace.trace_close();
  EXPECT_EQ(read_whole_file(folder.path("trace")), "hauptloop B\n");
  EXPECT_EQ(trace.enabled, 0);
  EXPECT_EQ(trace.file, nullptr);
}

}  // namespace
