// The tuner must read its data safely and move weights towards the ones
// that explain the results.
#include <gtest/gtest.h>

#include <sstream>

#include "search/evaluate.h"
#include "selfplay.h"
#include "texel.h"

namespace tolvane::tuning {
namespace {

TEST(Texel, ReadsOnlyWellFormedLines) {
  std::istringstream in(
      "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1;0.5\n"
      "no position here;1\n"
      "4k3/8/8/8/8/8/8/R3K3 w - - 0 1;0.7\n"
      "4k3/8/8/8/8/8/8/R3K3 w - - 0 1\n"
      "4k3/8/8/8/8/8/8/R3K3 w - - 0 1;x\n"
      "4k3/8/8/8/8/8/8/R3K3 w - - 0 1;1\n"
      "4k3/8/8/8/8/8/8/R3K3 w - - 0 1;1x\n"
      "4k3/8/8/8/8/8/8/R3K3 b - - 0 1;1;-35\n"
      "4k3/8/8/8/8/8/8/R3K3 b - - 0 1;1;35cp\n"
      "4k3/8/8/8/8/8/8/R3K3 b - - 0 1;1;31990\n");
  std::vector<Sample> samples = read_samples(in);
  ASSERT_EQ(samples.size(), 3u);
  EXPECT_EQ(samples[0].result, 0.5);
  EXPECT_EQ(samples[1].result, 1.0);
  EXPECT_FALSE(samples[1].score);
  EXPECT_EQ(samples[2].score, -35);
}

TEST(Texel, ExpectedScoreIsALogisticCurve) {
  EXPECT_DOUBLE_EQ(expected_score(0, 1.0), 0.5);
  EXPECT_NEAR(expected_score(400, 1.0), 10.0 / 11.0, 1e-12);
  EXPECT_NEAR(expected_score(-150, 1.2) + expected_score(150, 1.2), 1.0, 1e-12);
}

// Positions with and without the bishop pair, in the middle game and the end.
const char* const BishopPairFens[] = {
    "r3kb1r/pppq1ppp/2n1bn2/4p3/4P3/2NB1N2/PPPBQPPP/R3K2R w KQkq - 0 9",
    "4k3/pp3ppp/2b5/8/8/2B2B2/PP3PPP/4K3 w - - 0 1",
    "4k3/pp3ppp/2bb4/8/8/2B2N2/PP3PPP/4K3 w - - 0 1",
    "4k3/pp3ppp/2bn4/8/8/2B2B2/PP3PPP/4K3 b - - 0 1",
    "r3k3/pp3ppp/2bb4/8/8/2B5/PP3PPP/R3K3 w - - 0 1",
    "6k1/pp3ppp/3b4/8/8/2B2B2/PP3PPP/6K1 w - - 0 1",
    "2b1kb2/pp3ppp/8/8/8/8/PP3PPP/2B1K1N1 b - - 0 1",
    "4k3/pp3ppp/8/8/8/2BB4/PP3PPP/4K3 w - - 0 1",
    // The pair in the middle game too, so that its two halves can be told apart.
    "r2qk2r/ppp2ppp/2n1bn2/8/8/2NB1N2/PPPB1PPP/R2QK2R w KQkq - 0 1",
    "r2qk2r/ppp1bppp/2n1bn2/8/8/2N2N2/PPPB1PPP/R2QK2R b KQkq - 0 1",
    "r3k2r/ppp2ppp/2n1bn2/8/8/2NB4/PPPB1PPP/R3K2R w KQkq - 0 1",
};

int white_eval(const Position& pos, const EvalParams& params) {
  PawnCache cache;
  int eval = classical_evaluate(pos, cache, params);
  return pos.side_to_move() == White ? eval : -eval;
}

TEST(Texel, RecoversAWeightFromResultsItExplains) {
  // Results that the default weights predict exactly; a tuner started from a
  // wrong bishop pair value must bring it back near the truth.
  const EvalParams truth;
  std::vector<Sample> samples;
  for (const char* fen : BishopPairFens) {
    Position pos = *Position::from_fen(fen);
    samples.push_back({pos, expected_score(white_eval(pos, truth), 1.0)});
  }
  EvalParams start;
  start.bishop_pair = {truth.bishop_pair.mg, truth.bishop_pair.eg - 60};
  EXPECT_NEAR(fit_scale(samples, truth), 1.0, 0.01);
  double before = mean_error(samples, start, 1.0);
  std::ostringstream log;
  const EvalParams untouched = start;
  fit(samples, start, 1.0, {.prefix = "bishop", .rounds = 2, .holdout_every = 0}, log);
  EXPECT_LT(mean_error(samples, start, 1.0), before / 4);
  EXPECT_EQ(start.material[Bishop], untouched.material[Bishop]);
  EXPECT_NEAR(start.bishop_pair.eg, truth.bishop_pair.eg, 15);
  EXPECT_NEAR(start.bishop_pair.mg, truth.bishop_pair.mg, 30);
}

TEST(Texel, LearnsFromSearchScoresWhereResultsSayLittle) {
  // Every game drawn, but the searches saw what the true weights see.
  const EvalParams truth;
  std::vector<Sample> samples;
  for (const char* fen : BishopPairFens) {
    Position pos = *Position::from_fen(fen);
    samples.push_back({pos, 0.5, white_eval(pos, truth)});
  }
  EvalParams start;
  start.bishop_pair = {truth.bishop_pair.mg + 50, truth.bishop_pair.eg + 50};
  std::ostringstream log;
  fit(samples, start, 1.0, {.prefix = "bishop", .rounds = 2, .result_weight = 0, .holdout_every = 0}, log);
  EXPECT_NEAR(start.bishop_pair.eg, truth.bishop_pair.eg, 15);
  EXPECT_NEAR(start.bishop_pair.mg, truth.bishop_pair.mg, 30);
}

TEST(Texel, FitsPieceSquaresOnlyWhereSuchPiecesStand) {
  // White knights on f3 and Black knights on f6 (the same square seen from
  // Black) are worth more in truth than at the start.
  const char* fens[] = {
      "r1bqkb1r/pppp1ppp/2n2n2/4p3/4P3/2N2N2/PPPP1PPP/R1BQKB1R w KQkq - 4 4",
      "r1bqkb1r/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R b KQkq - 2 3",
      "rnbqkb1r/pppp1ppp/5n2/4p3/4P3/2N5/PPPP1PPP/R1BQKBNR w KQkq - 2 3",
      "4k3/pppp1ppp/5n2/8/8/2N5/PPPP1PPP/4K3 w - - 0 1",
      "4k3/pppp1ppp/8/8/8/5N2/PPPP1PPP/4K3 b - - 0 1",
      "4k3/pppp1ppp/2n5/8/8/5N2/PPPP1PPP/4K3 w - - 0 1",
  };
  constexpr Square F3 = 21;
  EvalParams truth;
  truth.psq[Knight][F3] += Pair{40, 40};
  std::vector<Sample> samples;
  for (const char* fen : fens) {
    Position pos = *Position::from_fen(fen);
    samples.push_back({pos, expected_score(white_eval(pos, truth), 1.0)});
  }
  EvalParams fitted;
  std::ostringstream log;
  fit(samples, fitted, 1.0, {.prefix = "psq", .rounds = 2, .regularization = 0, .holdout_every = 0}, log);
  EXPECT_GT(fitted.psq[Knight][F3].mg + fitted.psq[Knight][F3].eg,
            EvalParams{}.psq[Knight][F3].mg + EvalParams{}.psq[Knight][F3].eg + 40);
  constexpr Square A1 = 0, H8 = 63;
  for (Square s : {A1, H8}) EXPECT_EQ(fitted.psq[Knight][s], EvalParams{}.psq[Knight][s]) << s;
}

TEST(Texel, WritesSourceThatNamesEveryWeight) {
  EvalParams params;
  params.hanging = {-7, 123};
  params.psq[Queen][63] = {-5, 17};
  std::ostringstream out;
  write_params(params, out);
  for (const char* part : {"p.hanging = {-7, 123};", "p.material[4] = {", "{-5, 17},\n  }};\n  p.psq[5] = {{",
                           "const EvalParams& tuned_params()"})
    EXPECT_NE(out.str().find(part), std::string::npos) << part;
}

TEST(SelfPlay, WritesLabelledQuietPositions) {
  std::ostringstream out;
  const std::uint64_t lines = play_games({.games = 2, .nodes_per_move = 300}, out);
  std::istringstream in(out.str());
  std::vector<Sample> samples = read_samples(in);
  EXPECT_GT(lines, 0u);
  EXPECT_EQ(samples.size(), lines);
  for (const Sample& s : samples) {
    EXPECT_FALSE(s.pos.in_check()) << s.pos.fen();
    EXPECT_TRUE(s.score) << s.pos.fen();
  }
}

}  // namespace
}  // namespace tolvane::tuning
