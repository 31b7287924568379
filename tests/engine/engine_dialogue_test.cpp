#include "tests/engine/engine_fixture.h"

namespace {

int pumped = 0;

class EngineDialogue : public StandInLink {
 protected:
  void SetUp() override {
    pumped = 0;
    set_pump_hook([] { ++pumped; });
  }
  void TearDown() override {
    set_pump_hook(nullptr);
    StandInLink::TearDown();
  }
  int wait() { return link_->wait_for_reply(line_, sizeof line_, result_); }
};

TEST_F(EngineDialogue, TheGreetingFillsTheAboutTextFromLongInfoLinesAndKeepsAResultLine) {
  start(
      "greet info short line\n"          // 15 characters: nothing
      "greet info 123456Tolvane 2.1\n"   // text from its twelfth character on
      "greet info 123456by the team\n"
      "greet ready to play\n"
      "greet info 123456thinking aloud\n"
      "greet 0-1 {Black mates}\n");
  EXPECT_EQ(link_->read_greeting(line_, sizeof line_, result_), 13);
  EXPECT_STREQ(line_, "ready to play");
  EXPECT_STREQ(link_->about_text, "Tolvane 2.1\nby the team\n");
  EXPECT_STREQ(result_, "");
  // A result line in the greeting is kept.
  link_->read_greeting(line_, sizeof line_, result_);
  EXPECT_STREQ(result_, "0-1 {Black mates}");
}

TEST_F(EngineDialogue, TheAboutTextStaysWithinItsBuffer) {
  std::string script;
  const std::string long_info = "info 123456" + std::string(3000, 'a');
  for (int i = 0; i < 8; ++i) script += "greet " + long_info + "\n";
  start(script + "greet done\n");
  char big[4000];
  link_->read_greeting(big, sizeof big, result_);
  EXPECT_STREQ(big, "done");
  const std::string about = link_->about_text;
  EXPECT_EQ(about.size(), static_cast<size_t>(ABOUT_TEXT_SIZE - 1));
  EXPECT_EQ(about.substr(0, 3001), std::string(3000, 'a') + "\n");
}

TEST_F(EngineDialogue, AWaitPassesOverThinkingAndPongsUpToTheMove) {
  start("on e2e4 => info 1 20 0 10 e7e5 | pong 1 | Illeal e7e5 | move e7e5\n");
  link_->send_line("e2e4");
  EXPECT_EQ(wait(), 9);
  EXPECT_STREQ(line_, "move e7e5");
  EXPECT_STREQ(result_, "");
  EXPECT_GE(pumped, 4);  // one per line read, more while a line is awaited
}

TEST_F(EngineDialogue, AWaitForAPongEndsThereOrEarlierOnAResult) {
  start("on ping 33 => pong 3 | info pong 33 | pong 33\non ping 34 => 1-0 {White mates} | pong 34\n");
  link_->send_line("ping 33");
  EXPECT_EQ(link_->wait_for_reply(line_, sizeof line_, result_, 33), 7);
  EXPECT_STREQ(line_, "pong 33");
  link_->send_line("ping 34");
  link_->wait_for_reply(line_, sizeof line_, result_, 34);
  EXPECT_STREQ(result_, "1-0 {White mates}");
}

TEST_F(EngineDialogue, AWaitEndsOnEveryRefusalAndError) {
  start("always try* => Illegal move: e2e5 | Engine declines | error | Error (unknown): x | Illeg | move\n");
  link_->send_line("try");
  for (const char* expected :
       {"Illegal move: e2e5", "Engine declines", "error", "Error (unknown): x", "Illeg", "move"}) {
    wait();
    EXPECT_STREQ(line_, expected);
  }
  EXPECT_STREQ(result_, "");
}

TEST_F(EngineDialogue, AResultLineEndsTheWaitAndIsCopiedBounded) {
  const std::string draw = "1/2-1/2 {" + std::string(800, 'r') + "}";
  start("on go => 1-0 {White mates} | move a7a6 | 1/2-1/2 {stalemate}\non next => " + draw + "\n");
  link_->send_line("go");
  EXPECT_EQ(wait(), 17);
  EXPECT_STREQ(result_, "1-0 {White mates}");
  wait();
  EXPECT_STREQ(line_, "move a7a6");
  EXPECT_STREQ(result_, "1-0 {White mates}");  // a move leaves it alone
  wait();
  EXPECT_STREQ(result_, "1/2-1/2 {stalemate}");

  link_->send_line("next");
  char big[1000];
  EXPECT_EQ(link_->wait_for_reply(big, sizeof big, result_), static_cast<int>(draw.size()));
  EXPECT_EQ(std::string(result_), draw.substr(0, ENGINE_RESULT_SIZE - 1));
}

TEST_F(EngineDialogue, SynchronizeWaitsForItsOwnPongOnly) {
  start("on ping 2 => pong 3 | info pong 2 | pong 2 | move a2a3\n");
  link_->ping_counter = 2;
  link_->synchronize();
  EXPECT_EQ(link_->ping_counter, 3);
  EXPECT_GE(pumped, 3);
  EXPECT_EQ(wait(), 9);
  EXPECT_STREQ(line_, "move a2a3");  // nothing after "pong 2" was taken
  EXPECT_EQ(engine_->received(), std::vector<std::string>{"ping 2"});
}

// No time limit here: a link that cannot see the end would hang until the test times out.
TEST_F(EngineDialogue, AnEngineThatDiesEndsEveryWaitAtOnce) {
  start("on go => info 123456thinking | move e7e5 | @exit\n");
  link_->read_time_limit_ms = -1;
  link_->send_line("go");
  EXPECT_EQ(wait(), 9);
  EXPECT_FALSE(link_->engine_ended());
  EXPECT_EQ(wait(), 0);
  EXPECT_STREQ(line_, "");
  EXPECT_TRUE(link_->engine_ended());

  EXPECT_EQ(link_->read_greeting(line_, sizeof line_, result_), 0);
  link_->synchronize();  // ends although no pong can come
  EXPECT_EQ(link_->send_line("quit"), 6);  // a write to the ended engine: ignored, we live on
  EXPECT_EQ(link_->start_status, 0);

  link_->start_engine(0);  // and it starts afresh
  ASSERT_EQ(link_->start_status, 0);
  EXPECT_FALSE(link_->engine_ended());
  link_->synchronize();
  EXPECT_EQ(link_->ping_counter, 3);
}

TEST_F(EngineDialogue, ASilentEngineStillLetsTheWindowPaint) {
  start("on go => @sleep 400 | move e7e5\n");
  link_->send_line("go");
  EXPECT_EQ(wait(), 9);
  EXPECT_GE(pumped, 4);  // a line per search depth is not to be relied on
}

}  // namespace
