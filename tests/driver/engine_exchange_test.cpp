// The interpreter's exchange with an engine: a scripted stand-in engine over real pipes records
// every line it is sent.
#include <signal.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <thread>
#include <tuple>

#include "tests/driver/interpreter_fixture.h"
#include "tests/stand_in_engine/stand_in_engine_client.h"

namespace {

using Lines = std::vector<std::string>;

const std::string kGreeting =
    "greet info about:Tolvane stand-in, scripted for tests\ngreet Tolvane stand-in 1.0\ngreet ready\n";

class EngineExchangeTest : public InterpreterTest {
 protected:
  // A new game whose engine runs this script, for the next case of a table. The old stand-in's end
  // unsets TOLVANE_ENGINE: it must go before a new one comes.
  void start_afresh(const std::string& script) {
    engine_.reset();
    TearDown();
    SetUp();
    start_with(script);
  }
  // The game document's start, with this script's engine standing by.
  void start_with(const std::string& script) {
    engine_ = std::make_unique<StandInEngine>(kGreeting + script);
    run("F1");
  }
  // Every line the engine has recorded: a ping handshake first makes sure it has read them all.
  Lines received() {
    if (engine_status != 0 || engine_link.engine_ended()) return engine_->received();
    const std::string ping = "ping " + std::to_string(engine_link.ping_counter);
    engine_link.synchronize();
    Lines lines = engine_->received();
    if (!lines.empty() && lines.back() == ping) lines.pop_back();
    return lines;
  }
  std::unique_ptr<StandInEngine> engine_;
};

TEST_F(EngineExchangeTest, OneUserMoveIsSentAloneWithTheLevelLines) {
  start_with("on e2e4 => info thinking | move e7e5\n");
  ASSERT_EQ(run("Be2e4"), "");
  EXPECT_EQ(run("c4"), "");
  // The ping after the engine's move collects whatever it says after the move.
  EXPECT_EQ(received(), (Lines{"hard", "level tolvane 4 5", "ping 1", "post", "e2e4", "nopost", "ping 1"}));
  EXPECT_EQ(run("ll"), "e7e5");
  EXPECT_EQ(user_moves, 0);
  EXPECT_EQ(result_, "");
  EXPECT_EQ(board.squares[36], PAWN | BLACK);  // e5
}

// However the user typed the move, the engine hears the move that was played, in its notation.
TEST_F(EngineExchangeTest, CapitalsAndListNumbersReachTheEngineAsThePlayedMove) {
  // The first listed move after 1. g1f3 e7e5, found before any engine runs.
  for (const char* move : {"Bg1f3", "Be7e5"}) run(move);
  const std::string listed_first = run("lf");
  SetUp();
  // The engine program refuses a move in capitals as an unknown command.
  start_with("on G1F3 => Error (unknown command): G1F3\non g1f3 => move e7e5\non " + listed_first +
             " => move b8c6\n");
  ASSERT_EQ(run("BG1F3"), "");
  EXPECT_EQ(run("c"), "");
  ASSERT_EQ(run("B1"), "");
  EXPECT_EQ(run("ll"), listed_first);
  EXPECT_EQ(run("c"), "");
  EXPECT_EQ(run("ll"), "b8c6");
  EXPECT_EQ(received(),
            (Lines{"ping 1", "post", "g1f3", "nopost", "ping 1", "ping 1", "post", listed_first, "nopost", "ping 2"}));
}

// A promotion typed with a German piece letter reaches the engine with the engine's letter.
TEST_F(EngineExchangeTest, PromotionsReachTheEngineInItsLetters) {
  start_with("on go => move g7g6\non a7b8q => move g6h5\n");
  // White's pawn reaches a7 and the queen's check leaves Black only g7g6.
  for (const char* move : {"a2a4", "b7b5", "a4b5", "a7a6", "b5a6", "f7f6", "a6a7", "c7c6", "e2e3", "c6c5", "d1h5"})
    ASSERT_EQ(run(std::string("B") + move), "") << move;
  EXPECT_EQ(run("c"), "");
  ASSERT_EQ(run("Ba7b8D"), "");
  EXPECT_EQ(run("c"), "");
  EXPECT_EQ(run("ll"), "g6h5");
  const Lines lines = received();
  EXPECT_NE(std::find(lines.begin(), lines.end(), "a7b8q"), lines.end());
}

// The engine gets the whole position when it is to move first or several moves are new to it; each
// level digit sends its level's lines first.
TEST_F(EngineExchangeTest, ComputerMovingFirstOrAfterSeveralMovesGetsTheWholePosition) {
  struct Case { Lines user_moves; const char* computer; Lines heard; };
  const std::string start = "setboard rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w  KQkq - 0 1";
  for (const Case& c :
       {Case{{}, "c1", {"easy", "level tolvane 0 1", start, "go", "ping 1"}},
        Case{{}, "c3", {"easy", "level tolvane 4 1", start, "go", "ping 1"}},
        Case{{"Be2e4", "Be7e5"}, "c2",
             {"easy", "level tolvane 3 1",
              "setboard rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w  KQkq e6 0 2", "go", "ping 1"}}}) {
    SCOPED_TRACE(c.computer);
    start_afresh("on go => move g1f3\n");
    for (const std::string& move : c.user_moves) run(move);
    EXPECT_EQ(run(c.computer), "");
    EXPECT_EQ(received(), c.heard);
    EXPECT_EQ(run("ll"), "g1f3");
  }
}

// A refusal is shown as the engine's message; only a plain error takes the user's move back.
TEST_F(EngineExchangeTest, RefusalsAreShownAndOnlyErrorsTakeTheUserMoveBack) {
  for (const auto& [refusal, taken_back] : {std::pair{"Illegal move: e2e4", false}, {"error", true},
                                            {"Engine refuses e2e4", true}, {"error: e2e4", false}}) {
    SCOPED_TRACE(refusal);
    start_afresh(std::string("on e2e4 => ") + refusal + "\n");
    PositionNode* base = current_node;
    run("Be2e4");
    PositionNode* after_user_move = current_node;
    EXPECT_EQ(run("c"), std::string(" Engine: \n \n") + refusal);
    EXPECT_EQ(current_node, taken_back ? base : after_user_move);
    EXPECT_EQ(user_moves, 0);
  }
}

// A result line ends the game whether it answers the user's move or follows the engine's own move
// (a mate, or a draw that only the engine knows of); the end is known when the command returns.
TEST_F(EngineExchangeTest, ResultLinesEndTheGame) {
  // The script, the commands before "c" (the last of them is answered by the result), its message and the result.
  const std::tuple<std::string, Lines, std::string, std::string> cases[] = {
      {"on e2e4 => info depth 3 | 1-0 {White mates}\n", {"Be2e4"}, " Engine: \n \n1-0 {White mates}",
       "1-0 {White mates}"},
      {"on f2f3 => move e7e5\non g2g4 => move d8h4 | 0-1 {Black mates}\n", {"Bf2f3", "c", "Bg2g4"}, "",
       "0-1 {Black mates}"},
      {"on e2e4 => move e7e5 | 1/2-1/2 {Draw by repetition}\n", {"Be2e4"}, "", "1/2-1/2 {Draw by repetition}"},
  };
  for (const auto& [script, commands_before, message, result] : cases) {
    SCOPED_TRACE(result);
    start_afresh(script);
    for (const std::string& command : commands_before) run(command);
    EXPECT_EQ(run("c"), message);
    EXPECT_EQ(result_, result);
    EXPECT_EQ(run("Bd2d4"), result);
    EXPECT_EQ(run("lf"), result);
    received();  // everything sent so far is in the record now
    const Lines heard = engine_->received();
    EXPECT_EQ(run("c"), "");
    EXPECT_EQ(received(), heard);  // the finished game sends nothing more
  }
}

TEST_F(EngineExchangeTest, DirectMoveIsAnsweredAtOnce) {
  start_with("on e2e4 => move c7c5\n");
  EXPECT_EQ(run("V"), "Tolvane stand-in, scripted for tests\n\nTolvane stand-in 1.0");  // the greeting's about text
  EXPECT_EQ(run("Z#"), "");
  EXPECT_EQ(run("Ze2e4"), "");
  EXPECT_EQ(received(), (Lines{"ping 1", "post", "e2e4", "nopost", "ping 1"}));
  EXPECT_EQ(run("ll"), "c7c5");
}

TEST_F(EngineExchangeTest, NewGameTellsARunningEngine) {
  start_with("");
  for (const char* command : {"V", "0", "8"}) run(command);
  EXPECT_EQ(engine_link.ping_counter, 2);
  EXPECT_EQ(received(), (Lines{"ping 1", "new", "ping 1"}));
}

// A move in a position without legal moves waits only for the pong, and takes a result line that
// comes before it.
TEST_F(EngineExchangeTest, MoveWithoutAnyLegalMoveWaitsOnlyForThePong) {
  for (const auto& [script, result] : {std::pair{"", ""}, {"on ping 33 => 0-1 {Black mates}\n", "0-1 {Black mates}"}}) {
    SCOPED_TRACE(result);
    start_afresh(script);
    run("V");
    for (const char* move : {"Bf2f3", "Be7e5", "Bg2g4", "Bd8h4"}) ASSERT_EQ(run(move), "") << move;
    ASSERT_EQ(current_node->Anz_moegl_zuege, 0);
    EXPECT_EQ(run("Be2e4"), kInvalidMove);
    EXPECT_EQ(result_, result);
    EXPECT_EQ(received().back(), "ping 33");
  }
}

TEST_F(EngineExchangeTest, EngineThatDiesIsRestartedWithTheWholePosition) {
  start_with("on e2e4 => @exit\non go => move e7e5\n");
  run("Be2e4");
  EXPECT_EQ(run("c"), "Error 5: engine tolvane.exe has ended");
  EXPECT_NE(engine_status, 0);
  EXPECT_EQ(run("c"), "");
  EXPECT_EQ(engine_status, 0);
  EXPECT_EQ(run("ll"), "e7e5");
  const Lines lines = received();
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(Lines(lines.end() - 3, lines.end() - 1),
            (Lines{"setboard rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b  KQkq e3 0 1", "go"}));
}

TEST_F(EngineExchangeTest, LongEngineTextsAreCutToTheirBuffers) {
  const std::string long_line(480, 'x');
  std::string picture_replies;
  for (int i = 0; i < 9; ++i) picture_replies += (i ? " | " : "") + std::string(200, 'a' + i);
  start_with("on go => Error " + long_line + "\non showboard => " + picture_replies + "\n");
  for (const auto& [command, start] : {std::pair{"c", " Engine: \n \nError x"}, {"Y", "aaa"}}) {
    const std::string text = run(command);
    EXPECT_EQ(text.size(), 119u);
    EXPECT_EQ(text.substr(0, std::string(start).size()), start);
  }
}

// What a faulty engine does must leave the game where it was and say so in the program's words.
class FaultyEngineTest : public EngineExchangeTest {
 protected:
  // The game after 1. e4 with the engine to answer; the reply to "c" must leave it unchanged.
  std::string reply_after_e4(const std::string& script) {
    start_afresh(script);
    run("Be2e4");
    PositionNode* after_user_move = current_node;
    const Board board_after_user_move = board;
    const std::string message = run("c");
    EXPECT_EQ(current_node, after_user_move);
    EXPECT_TRUE(same_board(board, board_after_user_move));
    return message;
  }
  static bool reaped(pid_t engine) { return kill(engine, 0) != 0 && errno == ESRCH; }
};

TEST_F(FaultyEngineTest, MovesThatAreNotLegalHereAreShownAndNotPlayed) {
  for (const std::string reply : {"move d2d4", "move e7e4", "move", "move a9z0", "move e8g8"}) {
    EXPECT_EQ(reply_after_e4("on e2e4 => " + reply + "\n"), " Engine: \n \n" + reply) << reply;
    EXPECT_EQ(run("ll"), "e2e4") << reply;
  }
}

TEST_F(FaultyEngineTest, AFloodOfOutputIsReadThroughToTheMove) {
  std::string flood = "on e2e4 => " + std::string(100000, 'x');
  for (int i = 0; i < 5000; ++i) flood += " | info depth 1 score 0 nodes 1 pv e7e5";
  start_with(flood + " | move e7e5\n");
  run("Be2e4");
  EXPECT_EQ(run("c"), "");
  EXPECT_EQ(run("ll"), "e7e5");
}

TEST_F(FaultyEngineTest, AnEmptyLineAndThenSilenceEndTheEngineAfterTheTimeLimit) {
  engine_link.read_time_limit_ms = 300;
  EXPECT_EQ(reply_after_e4("on e2e4 => \n"), "Error 5: engine tolvane.exe has ended");
  const pid_t silent = engine_link.process_id;
  engine_link.read_time_limit_ms = -1;
  engine_.reset();
  start_with("on go => move e7e5\n");
  EXPECT_EQ(run("c"), "");
  EXPECT_TRUE(reaped(silent));
  EXPECT_EQ(run("ll"), "e7e5");
}

TEST_F(FaultyEngineTest, AnEngineThatQuitIsReportedOnceThenRestarted) {
  start_with("on go => move e7e5\n");
  for (const char* command : {"V", "X", "Be2e4"}) run(command);
  EXPECT_EQ(run("c"), "Error 5: engine tolvane.exe has ended");
  EXPECT_EQ(run("ll"), "e2e4");
  EXPECT_EQ(run("c"), "");
  EXPECT_EQ(run("ll"), "e7e5");
}

TEST_F(FaultyEngineTest, TheRealEngineKilledWhileItThinksIsReapedAndReplaced) {
  setenv("TOLVANE_ENGINE", TOLVANE_EXE_PATH, 1);
  run("F1");
  run("Be2e4");
  const PositionNode* after_user_move = current_node;
  run("V");
  const pid_t thinking = engine_link.process_id;
  std::thread killer([thinking] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    kill(thinking, SIGKILL);
  });
  EXPECT_EQ(run("c4"), "Error 5: engine tolvane.exe has ended");  // level 4 thinks for seconds
  killer.join();
  EXPECT_EQ(current_node, after_user_move);
  run("V");  // a new engine starts and greets
  EXPECT_EQ(engine_status, 0);
  EXPECT_NE(engine_link.process_id, thinking);
  EXPECT_TRUE(reaped(thinking));
  unsetenv("TOLVANE_ENGINE");
}

}  // namespace
