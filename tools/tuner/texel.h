// Texel tuning: logistic regression of game results on the static
// evaluation of quiet positions, by coordinate descent over the weights.
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "board/position.h"
#include "search/eval_params.h"

namespace tolvane::tuning {

struct Sample {
  Position pos;
  double result;  // 1, 0.5 or 0 from White's point of view
};

// Lines "<fen>;<result>"; lines that do not parse are skipped.
std::vector<Sample> read_samples(std::istream& in);

// The expected score of an evaluation in centipawns (White's view).
double expected_score(double centipawns, double k);

// Mean squared difference between results and expected scores.
double mean_error(const std::vector<Sample>& samples, const EvalParams& params, double k);

// The scale k that fits the given weights best.
double fit_scale(const std::vector<Sample>& samples, const EvalParams& params);

// Moves each weight whose name begins with `prefix` (all for an empty one)
// up or down while that lowers the error at scale k; at most `passes` rounds
// over the weights. Progress goes to `log`.
void tune(const std::vector<Sample>& samples, EvalParams& params, double k, int passes, std::ostream& log,
          const std::string& prefix = "");

// The source of eval_weights.cpp with the given weights.
void write_params(EvalParams params, std::ostream& out);

}  // namespace tolvane::tuning
