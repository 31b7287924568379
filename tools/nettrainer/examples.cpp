#include "examples.h"

#include <cstdlib>
#include <string>

#include "search/evaluate.h"
#include "search/network.h"

namespace tolvane::nettraining {

Example make_example(const Position& pos, int white_score, double white_result, PawnCache& cache) {
  Example e;
  const Color us = pos.side_to_move();
  for (Bitboard b = pos.pieces(); b;) {
    const Square s = pop_lsb(b);
    e.mine[e.pieces] = std::uint16_t(network::feature(us, pos.piece_on(s), s));
    e.theirs[e.pieces] = std::uint16_t(network::feature(~us, pos.piece_on(s), s));
    ++e.pieces;
  }
  e.score = std::int16_t(us == White ? white_score : -white_score);
  e.result = float(us == White ? white_result : 1 - white_result);
  e.base = std::int16_t(classical_evaluate(pos, cache));
  return e;
}

std::vector<Example> read_examples(std::istream& in, std::vector<Position>* positions) {
  std::vector<Example> examples;
  PawnCache cache;
  for (std::string line; std::getline(in, line);) {
    const auto first = line.find(';');
    const auto second = line.find(';', first == std::string::npos ? first : first + 1);
    if (second == std::string::npos) continue;
    const auto pos = Position::from_fen(std::string_view(line).substr(0, first));
    const std::string result = line.substr(first + 1, second - first - 1);
    char* end = nullptr;
    const long score = std::strtol(line.c_str() + second + 1, &end, 10);
    if (!pos || popcount(pos->pieces()) > 32 || *end != '\0' || end == line.c_str() + second + 1 || std::labs(score) >= MateBound) continue;
    if (result != "1" && result != "0" && result != "0.5") continue;
    examples.push_back(make_example(*pos, int(score), std::stod(result), cache));
    if (positions) positions->push_back(*pos);
  }
  return examples;
}

}  // namespace tolvane::nettraining
