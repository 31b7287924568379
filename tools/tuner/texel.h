// Texel tuning: logistic regression of game results on the static
// evaluation of quiet positions.
#pragma once

#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "board/position.h"
#include "search/eval_params.h"

namespace tolvane::tuning {

struct Sample {
  Position pos;
  double result;             // 1, 0.5 or 0 from White's point of view
  std::optional<int> score = std::nullopt;  // the search's, White's view, where the data has it
};

// Lines "<fen>;<result>" or "<fen>;<result>;<score>"; lines that do not
// parse are skipped.
std::vector<Sample> read_samples(std::istream& in);

// The expected score of an evaluation in centipawns (White's view).
double expected_score(double centipawns, double k);

// Mean squared difference between results and expected scores.
double mean_error(const std::vector<Sample>& samples, const EvalParams& params, double k);

// The scale k that fits the given weights best.
double fit_scale(const std::vector<Sample>& samples, const EvalParams& params);

struct FitOptions {
  // Weights to fit: those whose names begin with it (all for an empty one),
  // or all but those for "-name".
  std::string prefix;
  int rounds = 3;     // linearize, then fit; again around the new weights
  int epochs = 3000;  // gradient steps per round, at most
  double step = 1.0;  // centipawns per gradient step, about
  // Pull towards the starting weights, per squared centipawn: a weight that
  // few positions show stays near its start.
  double regularization = 1e-7;
  // The target's share of the game's result; the rest is the search's
  // score as an expected result, for the positions that have one.
  double result_weight = 0.5;
  // Every n-th run of samples (a few games) is held out to stop the fit
  // once it no longer predicts unseen positions better; 0 fits all and runs
  // every epoch.
  int holdout_every = 10;
};

// Fits the chosen weights to the samples at scale k. The evaluation is
// linearized around the current weights (its slope in each weight measured
// by central differences), the linear model is fitted by gradient descent,
// and this repeats for the terms that are not linear (king danger, end-game
// scaling). Progress goes to `log`.
void fit(const std::vector<Sample>& samples, EvalParams& params, double k, const FitOptions& options,
         std::ostream& log);

// The source of eval_weights.cpp with the given weights.
void write_params(EvalParams params, std::ostream& out);

}  // namespace tolvane::tuning
