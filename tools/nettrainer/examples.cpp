#include "examples.h"

#include "search/evaluate.h"
#include "search/network.h"
#include "texel.h"

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
  for (const tuning::Sample& sample : tuning::read_samples(in)) {
    if (!sample.score || popcount(sample.pos.pieces()) > 32) continue;
    examples.push_back(make_example(sample.pos, *sample.score, sample.result, cache));
    if (positions) positions->push_back(sample.pos);
  }
  return examples;
}

}  // namespace tolvane::nettraining
