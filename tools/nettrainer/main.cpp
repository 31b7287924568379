// Trains the evaluation network on the tuner's data and writes its weights
// as the engine's source:
//
//   tolvane-net-trainer [--continue] DATA [EPOCHS [SEED [RATE]]] > network_weights.cpp
//
// With --continue the training goes on from the engine's present network
// (at a tenth of the first rate unless RATE is given) instead of random weights.
//
// The last 2 % of the positions, from other games than the rest, are held
// back to validate; the log compares the network with the engine's present
// evaluation and with the hand-written terms alone on those.
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string_view>

#include "search/evaluate.h"
#include "training.h"

namespace {

using namespace tolvane;
using namespace tolvane::nettraining;

// An evaluation's error on the validation targets.
template <typename Evaluation>
double evaluation_loss(const std::vector<Position>& positions, const std::vector<Example>& examples,
                       double centipawns, double score_weight, Evaluation eval) {
  double sum = 0;
  for (std::size_t i = 0; i < positions.size(); ++i) {
    const double p = 1 / (1 + std::exp(-eval(positions[i]) / centipawns));
    const double diff = p - target(examples[i], centipawns, score_weight);
    sum += diff * diff;
  }
  return sum / double(positions.size());
}

}  // namespace

int main(int argc, char** argv) {
  TrainingOptions options;
  const bool go_on = argc > 1 && std::string_view(argv[1]) == "--continue";
  if (go_on) {
    options.start = &network::trained;
    options.learning_rate /= 10;
    --argc;
    ++argv;
  }
  if (argc < 2 || argc > 5) {
    std::cerr << "usage: tolvane-net-trainer [--continue] DATA [EPOCHS [SEED [RATE]]] > network_weights.cpp\n";
    return 2;
  }
  std::ifstream in(argv[1]);
  if (!in) {
    std::cerr << "cannot read " << argv[1] << "\n";
    return 1;
  }
  if (argc >= 3) options.epochs = std::max(1, std::atoi(argv[2]));
  if (argc >= 4) options.seed = unsigned(std::strtoul(argv[3], nullptr, 10));
  if (argc == 5) options.learning_rate = std::max(1e-6, std::atof(argv[4]));

  std::vector<Position> positions;
  const std::vector<Example> all = read_examples(in, &positions);
  std::vector<Example> training, validation;
  std::vector<Position> validation_positions;
  const std::size_t held_back = all.size() - all.size() / 50;
  for (std::size_t i = 0; i < all.size(); ++i) {
    if (i >= held_back) {
      validation.push_back(all[i]);
      validation_positions.push_back(positions[i]);
    } else {
      training.push_back(all[i]);
    }
  }
  positions = {};
  if (training.empty() || validation.empty()) {
    std::cerr << "too few positions in " << argv[1] << "\n";
    return 1;
  }
  // Going on keeps the network's own scale, which its output weights are in.
  const double centipawns = go_on ? network::trained.centipawns : fit_centipawns(training);
  std::cerr << training.size() << " training and " << validation.size() << " validation positions; "
            << centipawns << " centipawns a unit\n";
  PawnCache cache;
  std::cerr << "present evaluation: validation "
            << evaluation_loss(validation_positions, validation, centipawns, options.score_weight,
                               [&](const Position& pos) { return evaluate(pos, cache); })
            << "\nhand-written terms alone: validation "
            << evaluation_loss(validation_positions, validation, centipawns, options.score_weight,
                               [&](const Position& pos) { return classical_evaluate(pos, cache); })
            << "\n";
  const FloatNetwork net = train(training, validation, centipawns, options, std::cerr);
  write_source(quantize(net), all.size(), go_on, std::cout);
  return 0;
}
