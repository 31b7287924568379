// Line framing both ways, seen through programs that pass their input on unchanged.
#include <cstring>

#include "tests/engine/engine_fixture.h"

namespace {

class EchoEngine : public ::testing::Test {
 protected:
  KeptSetting kept_{"TOLVANE_ENGINE"};
  ProgramFolder files_;
  EngineLink link_;
  char line_[500] = "";

  void start(const std::string& command) {
    setenv("TOLVANE_ENGINE", command.c_str(), 1);
    link_.read_time_limit_ms = 10000;
    link_.start_engine(0);
    ASSERT_EQ(link_.start_status, 0);
  }
};

TEST_F(EchoEngine, ALineEndsAtItsCarriageReturnAndGoesOutWithCrLf) {
  start("tee " + files_.path("sent"));
  for (const auto& [line, sent] : {std::pair{"e2e4\rignored", 6}, {"", 2}, {"go", 4}})
    EXPECT_EQ(link_.send_line(line), sent) << line;
  link_.shut_down();
  EXPECT_EQ(read_whole_file(files_.path("sent")), "e2e4\r\n\r\ngo\r\nquit\r\n");
}

TEST_F(EchoEngine, AReadKeepsTheCarriageReturnAndDropsTheLineFeed) {
  start("cat");
  link_.send_line("move e7e5");
  EXPECT_EQ(link_.read_line(line_, sizeof line_), 10);
  EXPECT_STREQ(line_, "move e7e5\r");
}

TEST_F(EchoEngine, ALongLineComesInPiecesAndATinyBufferReadsNothing) {
  start("cat");
  link_.send_line("abcdefg");
  link_.send_line("next");
  for (const auto& [size, piece] : {std::pair{1, ""}, {4, "abc"}, {4, "def"}, {4, "g\r"}, {500, "next\r"}}) {
    EXPECT_EQ(link_.read_line(line_, size), static_cast<int>(std::strlen(piece))) << piece;
    EXPECT_STREQ(line_, piece);
  }
}

TEST_F(EchoEngine, AnOverlongCommandIsCutToTheSendBuffer) {
  start("cat");
  const std::string text(SEND_BUFFER_SIZE + 100, 'x');
  EXPECT_EQ(link_.send_line(text.c_str()), SEND_BUFFER_SIZE);
  std::vector<char> back(SEND_BUFFER_SIZE * 2);
  EXPECT_EQ(link_.read_line(back.data(), static_cast<int>(back.size())), SEND_BUFFER_SIZE - 1);
  EXPECT_EQ(std::string(back.data()), std::string(SEND_BUFFER_SIZE - 2, 'x') + "\r");
}

}  // namespace
