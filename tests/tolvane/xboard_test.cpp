// xboard protocol 2 and UCI as tournament managers speak them, against the real executable.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "engine_process.h"

namespace {

bool begins(const std::string& line, const std::string& prefix) { return line.rfind(prefix, 0) == 0; }

std::string first_matching(EngineProcess& engine, const std::string& prefix) {
  auto lines = engine.read_until(prefix);
  return lines.empty() || !begins(lines.back(), prefix) ? "" : lines.back();
}

class Xboard : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(engine.started());
    engine.read_greeting();
    engine.send("xboard");
    engine.send("protover 2");
    features = engine.read_until("feature done=1");
  }
  void sync(int n) {
    engine.send("ping " + std::to_string(n));
    EXPECT_EQ(first_matching(engine, "pong"), "pong " + std::to_string(n));
  }
  EngineProcess engine;
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
  engine.send("accepted usermove");
  engine.send("new");
  engine.send("level 40 0:30 0");
  engine.send("sd 4");
  engine.send("force");
  engine.send("usermove e2e4");
  engine.send("usermove e7e5");
  sync(1);  // force mode: no move came
  engine.send("go");  // White to move: the engine takes White
  std::string move = first_matching(engine, "move ");
  ASSERT_FALSE(move.empty());
  engine.send("usermove d7d6");
  EXPECT_FALSE(first_matching(engine, "move ").empty());
  // Take back both moves: the engine's and ours; then the position allows d7d6 again.
  engine.send("remove");
  engine.send("force");
  engine.send("usermove d7d6");
  sync(2);
  engine.send("usermove d7d6");
  EXPECT_EQ(first_matching(engine, "Illegal move"), "Illegal move: d7d6");
}

TEST_F(Xboard, MoveNowAndThinkingOutputWithTwoThreads) {
  engine.send("new");
  engine.send("cores 2");
  engine.send("post");
  engine.send("st 300");
  engine.send("usermove e2e4");
  engine.send("?");
  auto lines = engine.read_until("move ");
  ASSERT_FALSE(lines.empty());
  EXPECT_TRUE(begins(lines.back(), "move "));
  // Thinking lines: ply, score, time, nodes, then the moves.
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
    int ply = 0, score = 0, time = 0;
    long nodes = 0;
    EXPECT_EQ(std::sscanf(lines[i].c_str(), "%d %d %d %ld", &ply, &score, &time, &nodes), 4) << lines[i];
  }
  engine.send("cores none");
  EXPECT_TRUE(begins(first_matching(engine, "Error"), "Error (bad cores)"));
}

TEST_F(Xboard, PondersOnTheOpponentsTimeAndStillAnswersPing) {
  engine.send("new");
  engine.send("cores 2");
  engine.send("hard");
  engine.send("level 0 1 0");
  engine.send("time 3000");
  engine.send("otim 3000");
  engine.send("usermove e2e4");
  ASSERT_FALSE(first_matching(engine, "move ").empty());
  // The engine ponders now; a ping is answered at once and the game goes on.
  sync(3);
  engine.send("time 2900");
  engine.send("usermove d2d4");
  std::string reply = first_matching(engine, "");
  EXPECT_TRUE(begins(reply, "move ") || begins(reply, "Illegal")) << reply;
}

TEST_F(Xboard, ThePredictedReplyIsAnsweredFromThePonderSearch) {
  engine.send("new");
  engine.send("hard");
  engine.send("post");
  engine.send("level 0 1 0");
  engine.send("time 6000");
  engine.send("usermove d2d4");
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
  sync(6);
  engine.send("time 5900");
  engine.send("usermove " + expected);
  std::string reply = first_matching(engine, "move ");
  EXPECT_EQ(reply.size(), 9u) << reply;
  // The game goes on normally afterwards.
  sync(7);
  engine.send("force");
  engine.send("usermove " + reply.substr(5));
  EXPECT_EQ(first_matching(engine, "Illegal"), "Illegal move: " + reply.substr(5));
}

TEST_F(Xboard, SetboardWithStandardFenAndAnalysis) {
  engine.send("new");
  engine.send("force");
  engine.send("setboard r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 2 3");
  engine.send("analyze");
  auto line = engine.read_line();  // thinking output comes without "post"
  ASSERT_TRUE(line);
  int ply = 0;
  EXPECT_EQ(std::sscanf(line->c_str(), "%d", &ply), 1) << *line;
  engine.send("exit");
  sync(4);
  engine.send("setboard not a position");
  EXPECT_TRUE(begins(first_matching(engine, "Error"), "Error (illegal position)"));
}

TEST(Uci, HandshakeSearchAndStop) {
  EngineProcess engine;
  ASSERT_TRUE(engine.started());
  engine.read_greeting();
  engine.send("uci");
  auto lines = engine.read_until("uciok");
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back(), "uciok");
  EXPECT_NE(std::find(lines.begin(), lines.end(), "option name Threads type spin default 1 min 1 max 64"),
            lines.end());
  engine.send("setoption name Hash value 16");
  engine.send("setoption name Threads value 2");
  engine.send("isready");
  EXPECT_EQ(first_matching(engine, "readyok"), "readyok");
  engine.send("ucinewgame");
  engine.send("position startpos moves e2e4 e7e5 g1f3");
  engine.send("go depth 5");
  std::string best = first_matching(engine, "bestmove");
  ASSERT_GE(best.size(), 13u);
  // Black to move: its move starts on rank 7 or 8.
  EXPECT_TRUE(best[10] == '7' || best[10] == '8') << best;
  // An infinite search answers isready at once and stops on request.
  engine.send("position fen 6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1");
  engine.send("go infinite");
  engine.send("isready");
  EXPECT_EQ(first_matching(engine, "readyok"), "readyok");
  engine.send("stop");
  EXPECT_EQ(first_matching(engine, "bestmove"), "bestmove a1a8");
}

}  // namespace

namespace {

// A careless or hostile client: whatever arrives while the engine searches,
// "ping" and "isready" are answered and the search stops when told.
TEST_F(Xboard, StopsOnMoveNowOrNewWhateverElseArrives) {
  engine.send("new");
  engine.send("st 600");
  engine.send("go");
  for (const char* noise : {"gibberish with words", "level x y z", "time -5", "st 0", "ping 8", "?"})
    engine.send(noise);
  auto lines = engine.read_until("pong 8");
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_TRUE(begins(lines[0], "move ")) << lines[0];
  for (int i = 1; i < 4; ++i) EXPECT_TRUE(begins(lines[i], "Error")) << lines[i];
  EXPECT_EQ(lines.back(), "pong 8");
  // A search abandoned by "new" plays no move, and the engine is free again at once.
  engine.send("force");
  engine.send("go");
  engine.send("new");
  sync(9);
  engine.send("sd 2");
  engine.send("usermove E2E4");
  EXPECT_FALSE(first_matching(engine, "move ").empty());
}

TEST(Uci, StaysResponsiveToHostileSequences) {
  EngineProcess engine;
  ASSERT_TRUE(engine.started());
  engine.read_greeting();
  engine.send("uci");
  engine.read_until("uciok");
  // Sent in one go: the stop reaches the first search, the second go is refused.
  engine.send("position startpos moves E2E4 e7e5");
  engine.send("go infinite");
  engine.send("go wtime x btime");
  engine.send("garbage");
  engine.send("isready");
  EXPECT_EQ(first_matching(engine, "readyok"), "readyok");
  engine.send("stop");
  const std::string best = first_matching(engine, "bestmove");
  ASSERT_FALSE(best.empty());
  // Had the second infinite search started, the one stop would not end it.
  engine.send("go infinite");
  engine.send("go infinite");
  engine.send("stop");
  EXPECT_FALSE(first_matching(engine, "bestmove").empty());
  engine.send("go depth 1");
  EXPECT_FALSE(first_matching(engine, "bestmove").empty());
  engine.send("setoption name Hash value lots");
  EXPECT_TRUE(begins(first_matching(engine, "info string"), "info string Hash not changed"));
  engine.send("setoption name Threads value 0");
  EXPECT_TRUE(begins(first_matching(engine, "info string"), "info string Threads not changed"));
}

}  // namespace
