#include "search/bench.h"

#include <chrono>
#include <string_view>

#include "search/search.h"

namespace tolvane {
namespace {

// Openings, middle games with tactics, and end games with passed pawns.
constexpr std::string_view BenchPositions[] = {
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
    "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10",
    "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8",
    "r1bqkb1r/pppp1ppp/2n2n2/4p3/2B1P3/5N2/PPPP1PPP/RNBQK2R w KQkq - 4 4",
    "2r3k1/pp3ppp/2n1b3/3p4/3P4/2N1B3/PP3PPP/2R3K1 w - - 0 20",
    "r2q1rk1/pb1nbppp/1p2pn2/2pp4/2PP4/1PN1PN2/PB2BPPP/R2Q1RK1 w - - 0 10",
    "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
    "8/8/4k3/3p4/3P4/4K3/8/8 w - - 0 1",
    "6k1/5pp1/7p/8/8/6P1/5PKP/3R4 w - - 0 1",
    "4rrk1/pp1n3p/3q2pQ/2p1pb2/2PP4/2P3N1/P2B2PP/4RRK1 b - - 7 19",
    "r1bbk1nr/pp3p1p/2n5/1N4p1/2Np1B2/8/PPP2PPP/2KR1B1R w kq - 0 13",
};

}  // namespace

BenchResult run_bench(std::ostream& out, int depth) {
  BenchResult result;
  auto start = std::chrono::steady_clock::now();
  for (std::string_view fen : BenchPositions) {
    Searcher searcher(16);
    SearchControl control;
    SearchLimits limits;
    limits.depth = depth;
    auto pos = Position::from_fen(fen);
    SearchResult r = searcher.think(*pos, limits, control);
    out << "position " << fen << " best " << move_to_text(r.best) << " nodes " << r.nodes << "\n";
    result.nodes += r.nodes;
  }
  result.time_ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                       std::chrono::steady_clock::now() - start).count();
  result.nodes_per_second = result.nodes * 1000 / std::max<std::int64_t>(1, result.time_ms);
  out << "Nodes searched: " << result.nodes << "\n";
  out << "Nodes per second: " << result.nodes_per_second << "\n";
  return result;
}

}  // namespace tolvane
