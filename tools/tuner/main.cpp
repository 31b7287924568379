// The evaluation tuner: makes data from fast self-play games and fits the
// evaluation weights to the games' results.
//
//   tolvane-tuner games N NODES SEED > data.txt
//   tolvane-tuner tune data.txt [rounds [prefix]] > eval_weights.cpp
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

#include "selfplay.h"
#include "texel.h"

namespace {

int usage() {
  std::cerr << "usage: tolvane-tuner games N NODES SEED > data.txt\n"
               "       tolvane-tuner tune data.txt [rounds [prefix]] > eval_weights.cpp\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tolvane::tuning;
  if (argc < 2) return usage();
  const std::string command = argv[1];
  if (command == "games" && argc == 5) {
    SelfPlayOptions options;
    options.games = std::atoi(argv[2]);
    options.nodes_per_move = std::strtoull(argv[3], nullptr, 10);
    options.seed = std::strtoull(argv[4], nullptr, 10);
    if (options.games <= 0 || options.nodes_per_move == 0) return usage();
    std::uint64_t lines = play_games(options, std::cout);
    std::cerr << lines << " positions\n";
    return 0;
  }
  if (command == "tune" && argc >= 3 && argc <= 5) {
    std::ifstream in(argv[2]);
    if (!in) {
      std::cerr << "cannot read " << argv[2] << "\n";
      return 1;
    }
    std::vector<Sample> samples = read_samples(in);
    if (samples.empty()) {
      std::cerr << "no positions in " << argv[2] << "\n";
      return 1;
    }
    FitOptions options;
    if (argc >= 4) options.rounds = std::atoi(argv[3]);
    if (argc == 5) options.prefix = argv[4];
    tolvane::EvalParams params = tolvane::tuned_params();
    fit(samples, params, fit_scale(samples, params), options, std::cerr);
    write_params(params, std::cout);
    return 0;
  }
  return usage();
}
