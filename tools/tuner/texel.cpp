#include "texel.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "search/evaluate.h"

namespace tolvane::tuning {

std::vector<Sample> read_samples(std::istream& in) {
  std::vector<Sample> samples;
  for (std::string line; std::getline(in, line);) {
    auto sep = line.rfind(';');
    if (sep == std::string::npos) continue;
    auto pos = Position::from_fen(line.substr(0, sep));
    if (!pos) continue;
    try {
      double result = std::stod(line.substr(sep + 1));
      if (result == 0 || result == 0.5 || result == 1) samples.push_back({*pos, result});
    } catch (const std::exception&) {
    }
  }
  return samples;
}

double expected_score(double centipawns, double k) { return 1.0 / (1.0 + std::pow(10.0, -k * centipawns / 400.0)); }

double mean_error(const std::vector<Sample>& samples, const EvalParams& params, double k) {
  PawnCache cache;  // fresh: cached pawn terms belong to one set of weights
  double sum = 0;
  for (const Sample& s : samples) {
    int eval = evaluate(s.pos, cache, params);
    if (s.pos.side_to_move() == Black) eval = -eval;
    double diff = s.result - expected_score(eval, k);
    sum += diff * diff;
  }
  return sum / double(samples.size());
}

double fit_scale(const std::vector<Sample>& samples, const EvalParams& params) {
  // The error is smooth and has one minimum in k: narrow the bracket by thirds.
  double lo = 0.1, hi = 3.0;
  for (int i = 0; i < 30; ++i) {
    double a = lo + (hi - lo) / 3, b = hi - (hi - lo) / 3;
    if (mean_error(samples, params, a) < mean_error(samples, params, b)) hi = b;
    else lo = a;
  }
  return (lo + hi) / 2;
}

void tune(const std::vector<Sample>& samples, EvalParams& params, double k, int passes, std::ostream& log,
          const std::string& prefix) {
  double best = mean_error(samples, params, k);
  log << samples.size() << " positions, k " << k << ", error " << best << "\n";
  for (int pass = 1; pass <= passes; ++pass) {
    // Coarse steps first, then single centipawns.
    const int size = std::max(1, 8 >> (pass - 1));
    bool improved = false;
    for (ParamField& field : param_fields(params)) {
      if (!field.name.starts_with(prefix)) continue;
      // Each half alone, and both together: the halves of a term often
      // trade against each other, and the joint step gets out of that valley.
      for (Pair direction : {Pair{1, 0}, Pair{0, 1}, Pair{1, 1}}) {
        for (int sign : {size, -size}) {
          const Pair step = direction * sign;
          bool moved = false;
          for (;;) {
            *field.value += step;
            double error = mean_error(samples, params, k);
            if (error < best) {
              best = error;
              moved = improved = true;
              continue;
            }
            *field.value -= step;
            break;
          }
          if (moved) break;  // no need to try the other way
        }
      }
    }
    log << "pass " << pass << ", error " << best << "\n";
    if (!improved && size == 1) break;
  }
}

void write_params(EvalParams params, std::ostream& out) {
  out << "// The evaluation weights in use, fitted to the results of the engine's own\n"
         "// games by tolvane-tuner (scripts/tune-eval.sh), which wrote this file.\n"
         "#include \"search/eval_params.h\"\n\n"
         "namespace tolvane {\n"
         "namespace {\n\n"
         "EvalParams fitted() {\n"
         "  EvalParams p;\n";
  for (const ParamField& field : param_fields(params))
    out << "  p." << field.name << " = {" << field.value->mg << ", " << field.value->eg << "};\n";
  out << "  return p;\n"
         "}\n\n"
         "}  // namespace\n\n"
         "const EvalParams& tuned_params() {\n"
         "  static const EvalParams params = fitted();\n"
         "  return params;\n"
         "}\n\n"
         "}  // namespace tolvane\n";
}

}  // namespace tolvane::tuning
