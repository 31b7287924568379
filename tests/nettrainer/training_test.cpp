// The network trainer: what it reads, that it learns, and that the engine's
// integer network says what the trainer's float network says.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <random>
#include <sstream>

#include "board/movegen.h"
#include "search/evaluate.h"
#include "training.h"

namespace tolvane::nettraining {
namespace {

TEST(Examples, KeepOnlyWellFormedLinesWithScores) {
  std::istringstream in(
      "4k3/8/8/8/8/8/8/3QK3 b - - 0 1;1;900\n"
      "no position;1;0\n"
      "4k3/8/8/8/8/8/8/3QK3 w - - 0 1;0.7;10\n"
      "4k3/8/8/8/8/8/8/3QK3 w - - 0 1;1;30999\n"
      "4k3/8/8/8/8/8/8/3QK3 w - - 0 1;1\n"
      "4k3/8/8/8/8/8/8/3QK3 w - - 0 1;1;12x\n"
      "QQQQkQQQ/QQQQQQQQ/QQQQQQQQ/QQQQQQQQ/8/8/8/4K3 w - - 0 1;1;900\n");
  const std::vector<Example> examples = read_examples(in);
  ASSERT_EQ(examples.size(), 1u);
  // Black is to move: White's win and White's score are Black's loss.
  EXPECT_EQ(examples[0].score, -900);
  EXPECT_EQ(examples[0].result, 0.0f);
  EXPECT_EQ(examples[0].pieces, 3);
}

TEST(Examples, AreTheSameForBothColours) {
  // The same position with colours swapped and the board turned over.
  const Position white = *Position::from_fen("r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1");
  const Position black = *Position::from_fen("r3k2r/pppbbppp/2n2q1P/1P2p3/3pn3/BN2PNP1/P1PPQPB1/R3K2R b KQkq - 0 1");
  PawnCache cache;
  const Example a = make_example(white, 40, 1, cache), b = make_example(black, -40, 0, cache);
  ASSERT_EQ(a.pieces, b.pieces);
  EXPECT_TRUE(std::is_permutation(a.mine, a.mine + a.pieces, b.mine));
  EXPECT_TRUE(std::is_permutation(a.theirs, a.theirs + a.pieces, b.theirs));
  EXPECT_EQ(a.score, b.score);
  EXPECT_EQ(a.result, b.result);
  EXPECT_EQ(a.base, b.base);
}

// Positions of random games.
std::vector<Position> random_positions(int count, unsigned seed) {
  std::mt19937 rng(seed);
  std::vector<Position> positions;
  while (int(positions.size()) < count) {
    Position pos = Position::start();
    const int plies = 10 + int(rng() % 60);
    for (int i = 0; i < plies; ++i) {
      const MoveList moves = legal_moves(pos);
      if (moves.empty()) break;
      pos.make(moves[rng() % moves.size()]);
    }
    if (!legal_moves(pos).empty()) positions.push_back(Position::from_fen(pos.fen()).value());
  }
  return positions;
}

// A lesson the hand-written terms do not know: pawns past the middle of the
// board are worth 80 more, on top of the hand-written evaluation.
constexpr Bitboard WhiteFarRanks = 0xFFFFFFFF00000000ULL, BlackFarRanks = 0x00000000FFFFFFFFULL;

std::vector<Example> far_pawn_examples(const std::vector<Position>& positions) {
  std::vector<Example> examples;
  PawnCache cache;
  for (const Position& pos : positions) {
    const int far = popcount(pos.pieces(White, Pawn) & WhiteFarRanks) - popcount(pos.pieces(Black, Pawn) & BlackFarRanks);
    const int white_base = classical_evaluate(pos, cache) * (pos.side_to_move() == White ? 1 : -1);
    const int score = white_base + 80 * far;
    examples.push_back(make_example(pos, score, score > 50 ? 1 : score < -50 ? 0 : 0.5, cache));
  }
  return examples;
}

class TrainedOnFarPawns : public ::testing::Test {
 protected:
  static constexpr double Centipawns = 200;
  static void SetUpTestSuite() {
    training_ = far_pawn_examples(random_positions(3000, 1));
    validation_positions_ = random_positions(300, 2);
    validation_ = far_pawn_examples(validation_positions_);
    TrainingOptions options;
    options.epochs = 30;
    options.batch = 256;
    options.learning_rate = 0.003;
    std::ostringstream log;
    net_ = train(training_, validation_, Centipawns, options, log);
  }
  static inline std::vector<Example> training_, validation_;
  static inline std::vector<Position> validation_positions_;
  static inline FloatNetwork net_;
};

TEST_F(TrainedOnFarPawns, PredictsPositionsItHasNotSeen) {
  const FloatNetwork silent{std::vector<float>(network::Inputs * network::Hidden), std::vector<float>(network::Hidden),
                            std::vector<float>(network::OutputBuckets * 2 * network::Hidden),
                            std::vector<float>(network::OutputBuckets), Centipawns};
  const double score_weight = TrainingOptions{}.score_weight;
  EXPECT_LT(loss(net_, validation_, score_weight), loss(silent, validation_, score_weight) / 2);
}

TEST_F(TrainedOnFarPawns, RoundedWeightsEvaluateLikeTheFloatNetwork) {
  const auto weights = std::make_unique<network::Weights>(quantize(net_));
  for (std::size_t i = 0; i < validation_.size(); ++i) {
    const double expected = predict(net_, validation_[i]) * Centipawns - validation_[i].base;
    EXPECT_NEAR(network::evaluate(validation_positions_[i], *weights), expected, 8 + std::abs(expected) / 50)
        << validation_positions_[i].fen();
  }
}

TEST_F(TrainedOnFarPawns, GoesOnFromGivenWeightsRatherThanAfresh) {
  const auto weights = std::make_unique<network::Weights>(quantize(net_));
  TrainingOptions options;
  options.epochs = 1;
  options.batch = 256;
  options.learning_rate = 1e-6;
  options.start = weights.get();
  std::ostringstream log;
  const FloatNetwork continued = train(training_, validation_, Centipawns, options, log);
  const double score_weight = TrainingOptions{}.score_weight;
  EXPECT_NEAR(loss(continued, validation_, score_weight), loss(net_, validation_, score_weight), 1e-3);
}

TEST(ContinuedTraining, StartsFromTheEnginesNetworkAsItIs) {
  const FloatNetwork start = dequantize(network::trained);
  const auto back = std::make_unique<network::Weights>(quantize(start));
  EXPECT_EQ(back->input, network::trained.input);
  EXPECT_EQ(back->bias, network::trained.bias);
  EXPECT_EQ(back->output, network::trained.output);
  EXPECT_EQ(back->output_bias, network::trained.output_bias);
  EXPECT_EQ(back->centipawns, network::trained.centipawns);
}

}  // namespace
}  // namespace tolvane::nettraining
