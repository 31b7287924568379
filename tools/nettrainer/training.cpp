#include "training.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>
#include <thread>

namespace tolvane::nettraining {
namespace {

constexpr int H = network::Hidden;
constexpr int N = network::Inputs;
constexpr int B = network::OutputBuckets;

int bucket_of(const Example& e) { return network::output_bucket(e.pieces); }

float sigmoid(float x) { return 1.0f / (1.0f + std::exp(-x)); }


// The hidden sums of both halves and the output, kept for the backward pass.
struct Activations {
  float sum[2][H];
  float output;
};

void forward(const FloatNetwork& net, const Example& e, Activations& a) {
  const std::uint16_t* features[2] = {e.mine, e.theirs};
  const int bucket = bucket_of(e);
  a.output = net.output_bias[bucket] + e.base / net.centipawns;
  for (int half = 0; half < 2; ++half) {
    float* sum = a.sum[half];
    std::copy(net.bias.begin(), net.bias.end(), sum);
    for (int i = 0; i < e.pieces; ++i) {
      const float* row = &net.input[features[half][i] * H];
      for (int j = 0; j < H; ++j) sum[j] += row[j];
    }
    const float* out = &net.output[(bucket * 2 + half) * H];
    for (int j = 0; j < H; ++j) a.output += std::clamp(sum[j], 0.0f, 1.0f) * out[j];
  }
}

struct Gradient {
  std::vector<float> input = std::vector<float>(N * H), bias = std::vector<float>(H),
                     output = std::vector<float>(B * 2 * H), output_bias = std::vector<float>(B);
  double loss = 0;

  void clear() {
    std::fill(input.begin(), input.end(), 0.0f);
    std::fill(bias.begin(), bias.end(), 0.0f);
    std::fill(output.begin(), output.end(), 0.0f);
    std::fill(output_bias.begin(), output_bias.end(), 0.0f);
    loss = 0;
  }
  void add(const Gradient& o) {
    for (std::size_t i = 0; i < input.size(); ++i) input[i] += o.input[i];
    for (int i = 0; i < H; ++i) bias[i] += o.bias[i];
    for (std::size_t i = 0; i < output.size(); ++i) output[i] += o.output[i];
    for (int i = 0; i < B; ++i) output_bias[i] += o.output_bias[i];
    loss += o.loss;
  }
};

// Adds one example's gradient of the squared error of the predicted result.
void backward(const FloatNetwork& net, const Example& e, float wanted, Gradient& g) {
  Activations a;
  forward(net, e, a);
  const float p = sigmoid(a.output);
  g.loss += (p - wanted) * (p - wanted);
  const float d = 2 * (p - wanted) * p * (1 - p);
  const int bucket = bucket_of(e);
  g.output_bias[bucket] += d;
  const std::uint16_t* features[2] = {e.mine, e.theirs};
  for (int half = 0; half < 2; ++half) {
    float delta[H];
    for (int j = 0; j < H; ++j) {
      const float s = a.sum[half][j];
      const int k = (bucket * 2 + half) * H + j;
      g.output[k] += d * std::clamp(s, 0.0f, 1.0f);
      delta[j] = s > 0 && s < 1 ? d * net.output[k] : 0.0f;
      g.bias[j] += delta[j];
    }
    for (int i = 0; i < e.pieces; ++i) {
      float* row = &g.input[features[half][i] * H];
      for (int j = 0; j < H; ++j) row[j] += delta[j];
    }
  }
}

struct Adam {
  std::vector<float> m, v;
  explicit Adam(std::size_t n) : m(n), v(n) {}
  void step(float* w, const float* g, std::size_t n, float rate, float scale) {
    constexpr float B1 = 0.9f, B2 = 0.999f, Eps = 1e-8f;
    for (std::size_t i = 0; i < n; ++i) {
      const float gi = g[i] * scale;
      m[i] = B1 * m[i] + (1 - B1) * gi;
      v[i] = B2 * v[i] + (1 - B2) * gi * gi;
      w[i] -= rate * m[i] / (std::sqrt(v[i]) + Eps);
    }
  }
};

// Keeps the rounded weights inside their integer types (see network.h).
constexpr float InputLimit = 1.98f;   // 33 rows of it stay inside 16 bits
constexpr float OutputLimit = 8.0f;

}  // namespace

float target(const Example& e, double centipawns, double score_weight) {
  return float(score_weight * sigmoid(float(e.score / centipawns)) + (1 - score_weight) * e.result);
}

double fit_centipawns(const std::vector<Example>& examples) {
  auto error = [&](double cp) {
    double sum = 0;
    for (const Example& e : examples) {
      const double diff = sigmoid(float(e.score / cp)) - e.result;
      sum += diff * diff;
    }
    return sum;
  };
  double lo = 50, hi = 1000;  // the error has one minimum: narrow the bracket by thirds
  for (int i = 0; i < 40; ++i) {
    const double a = lo + (hi - lo) / 3, b = hi - (hi - lo) / 3;
    if (error(a) < error(b)) hi = b;
    else lo = a;
  }
  return (lo + hi) / 2;
}

float predict(const FloatNetwork& net, const Example& e) {
  Activations a;
  forward(net, e, a);
  return a.output;
}

double loss(const FloatNetwork& net, const std::vector<Example>& examples, double score_weight) {
  double sum = 0;
  for (const Example& e : examples) {
    const double diff = sigmoid(predict(net, e)) - target(e, net.centipawns, score_weight);
    sum += diff * diff;
  }
  return examples.empty() ? 0 : sum / double(examples.size());
}

FloatNetwork train(const std::vector<Example>& training, const std::vector<Example>& validation, double centipawns,
                   const TrainingOptions& options, std::ostream& log) {
  std::mt19937 rng(options.seed);
  FloatNetwork net;
  if (options.start) {
    net = dequantize(*options.start);
  } else {
    std::uniform_real_distribution<float> small(-0.1f, 0.1f);
    net.input.resize(N * H);
    for (float& w : net.input) w = small(rng);
    net.bias.assign(H, 0.1f);
    net.output.resize(B * 2 * H);
    for (float& w : net.output) w = small(rng) / 10;  // starts close to the hand-written evaluation
    net.output_bias.assign(B, 0.0f);
  }
  net.centipawns = float(centipawns);

  Adam adam_input(net.input.size()), adam_bias(H), adam_output(B * 2 * H), adam_output_bias(B);
  const int threads = std::max(1, options.threads);
  std::vector<Gradient> grads(threads);
  std::vector<std::uint32_t> order(training.size());
  std::iota(order.begin(), order.end(), 0u);

  for (int epoch = 1; epoch <= options.epochs; ++epoch) {
    // The rate falls to a tenth over the last third of the epochs.
    const double progress = double(epoch - 1) / options.epochs;
    const float rate = float(options.learning_rate * (progress < 2.0 / 3 ? 1.0 : 0.1));
    std::shuffle(order.begin(), order.end(), rng);
    double epoch_loss = 0;
    for (std::size_t start = 0; start < order.size(); start += options.batch) {
      const std::size_t end = std::min(order.size(), start + options.batch);
      std::vector<std::thread> workers;
      for (int t = 0; t < threads; ++t)
        workers.emplace_back([&, t] {
          grads[t].clear();
          for (std::size_t i = start + t; i < end; i += threads) {
            const Example& e = training[order[i]];
            backward(net, e, target(e, centipawns, options.score_weight), grads[t]);
          }
        });
      for (auto& w : workers) w.join();
      for (int t = 1; t < threads; ++t) grads[0].add(grads[t]);
      const Gradient& g = grads[0];
      const float scale = 1.0f / float(end - start);
      adam_input.step(net.input.data(), g.input.data(), net.input.size(), rate, scale);
      adam_bias.step(net.bias.data(), g.bias.data(), H, rate, scale);
      adam_output.step(net.output.data(), g.output.data(), net.output.size(), rate, scale);
      adam_output_bias.step(net.output_bias.data(), g.output_bias.data(), B, rate, scale);
      for (float& w : net.input) w = std::clamp(w, -InputLimit, InputLimit);
      for (float& w : net.output) w = std::clamp(w, -OutputLimit, OutputLimit);
      epoch_loss += g.loss;
    }
    log << "epoch " << epoch << ": training " << epoch_loss / double(training.size()) << ", validation "
        << loss(net, validation, options.score_weight) << std::endl;
  }
  return net;
}

network::Weights quantize(const FloatNetwork& net) {
  using network::ActivationScale, network::OutputScale;
  auto round16 = [](double x) { return std::int16_t(std::clamp(std::lround(x), -32767L, 32767L)); };
  network::Weights w{};
  for (int i = 0; i < N * H; ++i) w.input[i] = round16(net.input[i] * ActivationScale);
  for (int i = 0; i < H; ++i) w.bias[i] = round16(net.bias[i] * ActivationScale);
  for (std::size_t i = 0; i < w.output.size(); ++i) w.output[i] = round16(net.output[i] * OutputScale);
  for (int i = 0; i < B; ++i)
    w.output_bias[i] = std::int32_t(std::lround(double(net.output_bias[i]) * ActivationScale * OutputScale));
  w.centipawns = std::int32_t(std::lround(net.centipawns));
  return w;
}

FloatNetwork dequantize(const network::Weights& w) {
  using network::ActivationScale, network::OutputScale;
  FloatNetwork net;
  auto scaled = [](const auto& values, double scale) {
    std::vector<float> v(values.size());
    for (std::size_t i = 0; i < v.size(); ++i) v[i] = float(values[i] / scale);
    return v;
  };
  net.input = scaled(w.input, ActivationScale);
  net.bias = scaled(w.bias, ActivationScale);
  net.output = scaled(w.output, OutputScale);
  net.output_bias = scaled(w.output_bias, double(ActivationScale) * OutputScale);
  net.centipawns = float(w.centipawns);
  return net;
}

void write_source(const network::Weights& w, std::size_t positions, bool continued, std::ostream& out) {
  // A line per feature's row of Hidden weights.
  auto list = [&](const auto& values) {
    out << "{{";
    for (std::size_t i = 0; i < values.size(); ++i) out << (i % H == 0 ? "\n" : "") << values[i] << ',';
    out << "\n}},\n";
  };
  out << "// Written by tools/nettrainer (scripts/train-network.sh) from " << positions
      << " positions of the engine's own games" << (continued ? ", going on from the network before" : "")
      << ". Do not edit.\n"
         "#include \"search/network.h\"\n\nnamespace tolvane::network {\n\nconst Weights trained = {\n";
  list(w.input);
  list(w.bias);
  list(w.output);
  list(w.output_bias);
  out << w.centipawns << "};\n\n}  // namespace tolvane::network\n";
}

}  // namespace tolvane::nettraining
