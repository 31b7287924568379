// Fits the network in floating point by Adam on mini-batches, then rounds
// it to the engine's integer weights.
#pragma once

#include <ostream>
#include <vector>

#include "examples.h"
#include "search/network.h"

namespace tolvane::nettraining {

struct TrainingOptions {
  int epochs = 5;
  int batch = 16384;
  double learning_rate = 0.001;
  double score_weight = 1.0;  // of the search's score in the target; the rest is the game's result
  unsigned seed = 1;
  int threads = 2;
  // Weights to go on from instead of random ones; train() is then given their centipawns.
  const network::Weights* start = nullptr;
};

// The network's output is a correction, in logits of the expected result,
// to the hand-written evaluation; `centipawns` make one logit.
struct FloatNetwork {
  std::vector<float> input, bias, output;  // output: by bucket, side to move's half first
  std::vector<float> output_bias;           // by bucket
  float centipawns = 100;
};

// The wanted probability of the side to move's win: the search's score as a
// probability, mixed with the game's result by `score_weight`.
float target(const Example& e, double centipawns, double score_weight);

// Centipawns that make one unit of the network's output (a logit of the
// expected result): the scale at which the scores best predict the results.
double fit_centipawns(const std::vector<Example>& examples);

// The predicted logit of the side to move's result: the hand-written
// evaluation corrected by the network.
float predict(const FloatNetwork& net, const Example& e);

// Mean squared error of the predicted result against the targets.
double loss(const FloatNetwork& net, const std::vector<Example>& examples, double score_weight);

FloatNetwork train(const std::vector<Example>& training, const std::vector<Example>& validation, double centipawns,
                   const TrainingOptions& options, std::ostream& log);

network::Weights quantize(const FloatNetwork& net);
FloatNetwork dequantize(const network::Weights& weights);

// The weights as the source file the engine compiles; `continued` when the
// training went on from the engine's network before.
void write_source(const network::Weights& weights, std::size_t positions, bool continued, std::ostream& out);

}  // namespace tolvane::nettraining
