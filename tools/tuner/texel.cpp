#include "texel.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>

#include "search/evaluate.h"

namespace tolvane::tuning {

std::vector<Sample> read_samples(std::istream& in) {
  std::vector<Sample> samples;
  for (std::string line; std::getline(in, line);) {
    auto sep = line.find(';');
    if (sep == std::string::npos) continue;
    auto pos = Position::from_fen(line.substr(0, sep));
    if (!pos) continue;
    const std::string rest = line.substr(sep + 1);
    const auto score_sep = rest.find(';');
    try {
      std::size_t used = 0;
      double result = std::stod(rest.substr(0, score_sep), &used);
      if (used != rest.substr(0, score_sep).size() || (result != 0 && result != 0.5 && result != 1)) continue;
      Sample sample{*pos, result};
      if (score_sep != std::string::npos) {
        const std::string score = rest.substr(score_sep + 1);
        int value = std::stoi(score, &used);
        if (used != score.size() || std::abs(value) >= MateBound) continue;
        sample.score = value;
      }
      samples.push_back(sample);
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
    int eval = classical_evaluate(s.pos, cache, params);
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

namespace {

bool selected(const std::string& name, const std::string& prefix) {
  if (prefix.starts_with('-')) return !name.starts_with(prefix.substr(1));
  return name.starts_with(prefix);
}

// One half (middle game or end game) of a weight the fit may move.
struct Scalar {
  int field;
  int Pair::*half;
};

struct Slope {
  std::uint32_t scalar;
  float value;  // centipawns of White's evaluation per centipawn of the weight
};

// The evaluations as linear functions of the scalars near `at`.
struct LinearModel {
  std::vector<double> at;
  std::vector<double> base;          // per sample, White's view
  std::vector<std::uint32_t> first;  // per sample and one more: its slopes
  std::vector<Slope> slopes;
};

double white_eval(const Position& pos, const EvalParams& params, PawnCache& cache) {
  cache.clear();  // the weights change between calls
  int eval = classical_evaluate(pos, cache, params);
  return pos.side_to_move() == White ? eval : -eval;
}

// A piece-square weight only matters where such a piece stands.
bool may_matter(const Position& pos, const EvalParams& params, const Pair* weight) {
  const Pair* table = &params.psq[0][0];
  if (weight < table || weight >= table + 6 * 64) return true;
  auto index = int(weight - table);
  auto pt = PieceType(index / 64);
  Square s = index % 64;
  return (pos.pieces(White, pt) & square_bb(s)) || (pos.pieces(Black, pt) & square_bb(s ^ 56));
}

constexpr int Delta = 12;                // large enough that rounding to centipawns hardly shows
constexpr std::size_t HeldOutRun = 256;  // consecutive samples, about four games

void linearize_range(const std::vector<Sample>& samples, std::size_t from, std::size_t to, EvalParams params,
                     const std::vector<Scalar>& scalars, std::vector<double>& base,
                     std::vector<std::vector<Slope>>& slopes) {
  PawnCache cache(1);
  std::vector<ParamField> fields = param_fields(params);
  for (std::size_t i = from; i < to; ++i) {
    const Position& pos = samples[i].pos;
    base[i] = white_eval(pos, params, cache);
    for (std::uint32_t j = 0; j < scalars.size(); ++j) {
      Pair* weight = fields[scalars[j].field].value;
      if (!may_matter(pos, params, weight)) continue;
      int& value = (*weight).*scalars[j].half;
      value += Delta;
      double up = white_eval(pos, params, cache);
      value -= 2 * Delta;
      double down = white_eval(pos, params, cache);
      value += Delta;
      if (up != down) slopes[i].push_back({j, float((up - down) / (2 * Delta))});
    }
  }
}

LinearModel linearize(const std::vector<Sample>& samples, const EvalParams& params, const std::vector<Scalar>& scalars,
                      std::vector<ParamField>& fields) {
  LinearModel model;
  for (const Scalar& s : scalars) model.at.push_back((*fields[s.field].value).*s.half);
  model.base.resize(samples.size());
  std::vector<std::vector<Slope>> slopes(samples.size());
  const std::size_t threads = std::max(1u, std::thread::hardware_concurrency());
  std::vector<std::thread> workers;
  for (std::size_t t = 0; t < threads; ++t)
    workers.emplace_back(linearize_range, std::cref(samples), samples.size() * t / threads,
                         samples.size() * (t + 1) / threads, params, std::cref(scalars), std::ref(model.base),
                         std::ref(slopes));
  for (std::thread& w : workers) w.join();
  for (const std::vector<Slope>& s : slopes) {
    model.first.push_back(std::uint32_t(model.slopes.size()));
    model.slopes.insert(model.slopes.end(), s.begin(), s.end());
  }
  model.first.push_back(std::uint32_t(model.slopes.size()));
  return model;
}

// The model's mean squared error over the samples that `in_set` picks, and
// its gradient in the scalars if `gradient` is given.
template <class InSet>
double model_error(const LinearModel& model, const std::vector<double>& targets, const std::vector<double>& x, double k,
                   InSet in_set, std::vector<double>* gradient) {
  const double c = k * std::log(10.0) / 400.0;
  if (gradient) std::fill(gradient->begin(), gradient->end(), 0.0);
  double sum = 0;
  std::size_t count = 0;
  for (std::size_t i = 0; i < targets.size(); ++i) {
    if (!in_set(i)) continue;
    double eval = model.base[i];
    for (std::uint32_t j = model.first[i]; j < model.first[i + 1]; ++j)
      eval += model.slopes[j].value * (x[model.slopes[j].scalar] - model.at[model.slopes[j].scalar]);
    double score = 1.0 / (1.0 + std::exp(-c * eval));
    double diff = score - targets[i];
    sum += diff * diff;
    ++count;
    if (!gradient) continue;
    double g = 2 * diff * score * (1 - score) * c;
    for (std::uint32_t j = model.first[i]; j < model.first[i + 1]; ++j)
      (*gradient)[model.slopes[j].scalar] += g * model.slopes[j].value;
  }
  if (gradient)
    for (double& g : *gradient) g /= double(std::max<std::size_t>(count, 1));
  return sum / double(std::max<std::size_t>(count, 1));
}

// Adam steps on the linear model; returns the scalars that predicted the
// held-out samples best (the last ones without a hold-out).
std::vector<double> descend(const LinearModel& model, const std::vector<double>& targets,
                            const std::vector<double>& start, double k, const FitOptions& options, std::ostream& log) {
  // Whole runs of samples are held out: the positions of one game are alike,
  // and a game split between the two sets would flatter the fit.
  const int every = options.holdout_every;
  auto held_out = [every](std::size_t i) { return every != 0 && (i / HeldOutRun) % every == 0; };
  auto training = [&](std::size_t i) { return !held_out(i); };
  constexpr double Beta1 = 0.9, Beta2 = 0.999, Epsilon = 1e-12;
  constexpr int CheckEvery = 25, Patience = 8;

  std::vector<double> x = model.at, best = x, gradient(x.size()), m(x.size()), v(x.size());
  double best_held = every ? model_error(model, targets, x, k, held_out, nullptr) : 0;
  if (every) log << "  held out " << best_held << " at the start\n";
  int checks_without_gain = 0;
  for (int epoch = 1; epoch <= options.epochs; ++epoch) {
    double train = model_error(model, targets, x, k, training, &gradient);
    for (std::size_t j = 0; j < x.size(); ++j) {
      gradient[j] += 2 * options.regularization * (x[j] - start[j]);
      m[j] = Beta1 * m[j] + (1 - Beta1) * gradient[j];
      v[j] = Beta2 * v[j] + (1 - Beta2) * gradient[j] * gradient[j];
      double m_hat = m[j] / (1 - std::pow(Beta1, epoch)), v_hat = v[j] / (1 - std::pow(Beta2, epoch));
      x[j] -= options.step * m_hat / (std::sqrt(v_hat) + Epsilon);
    }
    if (!every) continue;
    if (epoch % CheckEvery != 0) continue;
    double held = model_error(model, targets, x, k, held_out, nullptr);
    if (epoch % 500 == 0) log << "  epoch " << epoch << ", error " << train << ", held out " << held << '\n';
    if (held < best_held) {
      best_held = held;
      best = x;
      checks_without_gain = 0;
    } else if (++checks_without_gain >= Patience) {
      log << "  stopped at epoch " << epoch << ", held out " << best_held << "\n";
      break;
    }
  }
  return every ? best : x;
}

}  // namespace

void fit(const std::vector<Sample>& samples, EvalParams& params, double k, const FitOptions& options,
         std::ostream& log) {
  std::vector<ParamField> fields = param_fields(params);
  std::vector<Scalar> scalars;
  for (int f = 0; f < int(fields.size()); ++f)
    if (selected(fields[f].name, options.prefix))
      for (int Pair::*half : {&Pair::mg, &Pair::eg}) scalars.push_back({f, half});
  // What each position should predict: its game's result, blended with the
  // search's view of it where the data has one.
  std::vector<double> targets;
  for (const Sample& s : samples)
    targets.push_back(s.score ? options.result_weight * s.result +
                                    (1 - options.result_weight) * expected_score(*s.score, k)
                              : s.result);
  std::vector<double> start;
  for (const Scalar& s : scalars) start.push_back((*fields[s.field].value).*s.half);
  log << samples.size() << " positions, " << scalars.size() << " weights, k " << k << ", error "
      << mean_error(samples, params, k) << "\n";
  for (int round = 1; round <= options.rounds; ++round) {
    LinearModel model = linearize(samples, params, scalars, fields);
    log << "round " << round << ": " << model.slopes.size() / std::max<std::size_t>(samples.size(), 1)
        << " slopes a position\n";
    std::vector<double> x = descend(model, targets, start, k, options, log);
    for (std::size_t j = 0; j < scalars.size(); ++j)
      (*fields[scalars[j].field].value).*scalars[j].half = int(std::lround(x[j]));
    log << "round " << round << ", error " << mean_error(samples, params, k) << "\n";
  }
}

void write_params(EvalParams params, std::ostream& out) {
  out << "// The evaluation weights in use, fitted to the engine's own games (their\n"
         "// results and the searches' scores) by tolvane-tuner (scripts/tune-eval.sh),\n"
         "// which wrote this file.\n"
         "#include \"search/eval_params.h\"\n\n"
         "namespace tolvane {\n"
         "namespace {\n\n"
         "EvalParams fitted() {\n"
         "  EvalParams p;\n";
  for (int pt = Pawn; pt <= King; ++pt) {
    out << "  p.psq[" << pt << "] = {{";
    for (Square s = 0; s < 64; ++s)
      out << (s % 8 == 0 ? "\n      " : " ") << '{' << params.psq[pt][s].mg << ", " << params.psq[pt][s].eg << "},";
    out << "\n  }};\n";
  }
  for (const ParamField& field : param_fields(params))
    if (!field.name.starts_with("psq"))
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
