// xboard protocol 2 and UCI as tournament managers speak them, against the real executable.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "engine_process.h"

namespace {

class Xboard : public GreetedEngine {
 protected:
  void SetUp() override {
    GreetedEngine::SetUp();
    engine.send({"xboard", "protover 2"});
    features = engine.read_until("feature done=1");
  }
  std::vector<std::string> features;
};

TEST_F(Xboard, NegotiatesTheFeaturesItUses) {
  ASSERT_FALSE(features.empty());
  EXPECT_EQ(features.back(), "feature done=1");
  std::string all;
  for (const auto& f : features) all += f + "\n";
  for (const char* wanted : {"ping=1", "setboard=1", "usermove=1", "playother=1", "analyze=1", "sigint=0", "smp=1"})
    EXPECT_NE(all.find(wanted), std::string::npos) << wanted;
}

TEST_F(Xboard, PlaysItsColourOnlyAndObeysForce) {
  engine.send({"accepted usermove", "new", "level 40 0:30 0", "sd 4", "force", "usermove e2e4", "usermove e7e5"});
  EXPECT_TRUE(engine.before_pong(1).empty());  // force mode: no move came
  engine.send("go");  // White to move: the engine takes White
  ASSERT_FALSE(engine.first("move ").empty());
  engine.send("usermove d7d6");
  EXPECT_FALSE(engine.first("move ").empty());
  // Take back both moves: the engine's and ours; then the position allows d7d6 again.
  engine.send({"remove", "force", "usermove d7d6"});
  EXPECT_TRUE(engine.before_pong(2).empty());
  engine.send("usermove d7d6");
  EXPECT_EQ(engine.first("Illegal move"), "Illegal move: d7d6");
}

TEST_F(Xboard, MoveNowAndThinkingOutputWithTwoThreads) {
  engine.send({"new", "cores 2", "post", "st 300", "usermove e2e4", "?"});
  auto lines = engine.read_until("move ");
  ASSERT_FALSE(lines.empty());
  EXPECT_TRUE(begins(lines.back(), "move "));
  // Thinking lines: ply, score, time, nodes, then the moves.
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
    long ply = 0, score = 0, time = 0, nodes = 0;
    EXPECT_EQ(std::sscanf(lines[i].c_str(), "%ld %ld %ld %ld", &ply, &score, &time, &nodes), 4) << lines[i];
  }
  engine.send("cores none");
  EXPECT_TRUE(begins(engine.first("Error"), "Error (bad cores)"));
}

TEST_F(Xboard, ThePredictedReplyIsAnsweredFromTheTwoThreadPonderSearch) {
  engine.send({"new", "cores 2", "hard", "post", "level 0 1 0", "time 6000", "usermove d2d4"});
  // The last thinking line before the move names the reply the engine expects.
  auto lines = engine.read_until("move ");
  ASSERT_GE(lines.size(), 2u);
  std::istringstream pv(lines[lines.size() - 2]);
  std::string word, expected;
  for (int i = 0; i < 4; ++i) pv >> word;
  pv >> word >> expected;
  ASSERT_EQ(word, lines.back().substr(5));
  ASSERT_EQ(expected.size(), 4u) << lines[lines.size() - 2];
  engine.send("nopost");
  engine.before_pong(6);
  engine.send({"time 5900", "usermove " + expected});
  std::string reply = engine.first("move ");
  EXPECT_EQ(reply.size(), 9u) << reply;
  // The game goes on normally afterwards.
  engine.before_pong(7);
  engine.send({"force", "usermove " + reply.substr(5)});
  EXPECT_EQ(engine.first("Illegal"), "Illegal move: " + reply.substr(5));
}

TEST_F(Xboard, SetboardWithStandardFenAndAnalysis) {
  engine.send({"new", "force", "setboard r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 2 3", "analyze"});
  auto line = engine.read_line();  // thinking output comes without "post"
  ASSERT_TRUE(line);
  int ply = 0;
  EXPECT_EQ(std::sscanf(line->c_str(), "%d", &ply), 1) << *line;
  engine.send("exit");
  engine.before_pong(4);
  engine.send("setboard not a position");
  EXPECT_TRUE(begins(engine.first("Error"), "Error (illegal position)"));
}

// A careless or hostile client: whatever arrives while the engine searches,
// "ping" and "isready" are answered and the search stops when told.
TEST_F(Xboard, StopsOnMoveNowOrNewWhateverElseArrives) {
  engine.send({"new", "st 600", "go", "gibberish with words", "level x y z", "time -5", "st 0", "ping 8", "?"});
  auto lines = engine.read_until("pong 8");
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_TRUE(begins(lines[0], "move ")) << lines[0];
  for (int i = 1; i < 4; ++i) EXPECT_TRUE(begins(lines[i], "Error")) << lines[i];
  EXPECT_EQ(lines.back(), "pong 8");
  // A search abandoned by "new" plays no move, and the engine is free again at once.
  engine.send({"force", "go", "new"});
  EXPECT_TRUE(engine.before_pong(9).empty());
  engine.send({"sd 2", "usermove E2E4"});
  EXPECT_FALSE(engine.first("move ").empty());
}

class Uci : public GreetedEngine {
 protected:
  void SetUp() override {
    GreetedEngine::SetUp();
    engine.send("uci");
    options = engine.read_until("uciok");
    ASSERT_FALSE(options.empty());
    EXPECT_EQ(options.back(), "uciok");
  }
  std::vector<std::string> options;
};

TEST_F(Uci, SearchesAndStopsAnInfiniteSearch) {
  EXPECT_NE(std::find(options.begin(), options.end(), "option name Threads type spin default 1 min 1 max 64"),
            options.end());
  engine.send({"setoption name Hash value 16", "setoption name Threads value 2", "isready"});
  EXPECT_EQ(engine.first("readyok"), "readyok");
  engine.send({"ucinewgame", "position startpos moves e2e4 e7e5 g1f3", "go depth 5"});
  std::string best = engine.first("bestmove");
  ASSERT_GE(best.size(), 13u);
  // Black to move: its move starts on rank 7 or 8.
  EXPECT_TRUE(best[10] == '7' || best[10] == '8') << best;
  // An infinite search answers isready at once and stops on request.
  engine.send({"position fen 6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1", "go infinite", "isready"});
  EXPECT_EQ(engine.first("readyok"), "readyok");
  engine.send("stop");
  EXPECT_EQ(engine.first("bestmove"), "bestmove a1a8");
}

TEST_F(Uci, StaysResponsiveToHostileSequences) {
  // Sent in one go: the stop reaches the first search, the second go is refused.
  engine.send({"position startpos moves E2E4 e7e5", "go infinite", "go wtime x btime", "garbage", "isready"});
  EXPECT_EQ(engine.first("readyok"), "readyok");
  engine.send("stop");
  ASSERT_FALSE(engine.first("bestmove").empty());
  // Had the second infinite search started, the one stop would not end it.
  engine.send({"go infinite", "go infinite", "stop"});
  EXPECT_FALSE(engine.first("bestmove").empty());
  engine.send("go depth 1");
  EXPECT_FALSE(engine.first("bestmove").empty());
  engine.send("setoption name Hash value lots");
  EXPECT_TRUE(begins(engine.first("info string"), "info string Hash not changed"));
  engine.send("setoption name Threads value 0");
  EXPECT_TRUE(begins(engine.first("info string"), "info string Threads not changed"));
}

}  // namespace
