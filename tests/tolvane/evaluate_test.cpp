// The evaluation must treat both colours alike and see the obvious.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <sstream>

#include "search/evaluate.h"

namespace tolvane {
namespace {

// The same position with colours swapped and the board turned over.
std::string mirrored(const std::string& fen) {
  std::istringstream in(fen);
  std::string board, side, castling, ep, half, full;
  in >> board >> side >> castling >> ep >> half >> full;
  std::vector<std::string> ranks;
  std::stringstream rows(board);
  for (std::string r; std::getline(rows, r, '/');) ranks.push_back(r);
  std::reverse(ranks.begin(), ranks.end());
  std::string out;
  for (auto& r : ranks) {
    for (char& c : r) c = std::isupper(static_cast<unsigned char>(c)) ? char(std::tolower(c)) : char(std::toupper(c));
    out += (out.empty() ? "" : "/") + r;
  }
  std::string swapped;
  for (char c : castling) swapped += c == '-' ? '-' : std::isupper(static_cast<unsigned char>(c)) ? char(std::tolower(c)) : char(std::toupper(c));
  std::sort(swapped.begin(), swapped.end(), [](char a, char b) {
    return std::string("KQkq").find(a) < std::string("KQkq").find(b);
  });
  if (ep != "-") ep[1] = ep[1] == '3' ? '6' : '3';
  return out + (side == "w" ? " b " : " w ") + swapped + " " + ep + " " + half + " " + full;
}

int eval_of(const std::string& fen) {
  PawnCache cache;
  auto pos = Position::from_fen(fen);
  EXPECT_TRUE(pos) << fen;
  return pos ? evaluate(*pos, cache) : 0;
}

TEST(Evaluate, IsTheSameForBothColours) {
  const char* fens[] = {
      "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
      "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
      "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
      "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10",
      "4k3/8/8/3P4/8/8/8/4K2R b K - 0 1",
      "6k1/5ppp/8/8/2B5/8/5PPP/6K1 w - - 0 1",
  };
  for (const char* fen : fens) EXPECT_EQ(eval_of(fen), eval_of(mirrored(fen))) << fen;
}

TEST(Evaluate, SeesMaterialAndPassedPawns) {
  // A knight up is well ahead.
  EXPECT_GT(eval_of("4k3/8/8/8/8/8/8/3NK3 w - - 0 1"), -50);  // but alone it cannot win
  EXPECT_GT(eval_of("4k3/pppp4/8/8/8/8/PPPP4/3NK3 w - - 0 1"), 200);
  // A passed pawn on the seventh is worth more than one at home.
  EXPECT_GT(eval_of("4k3/P7/8/8/8/8/8/4K3 w - - 0 1"), eval_of("4k3/8/8/8/8/8/P7/4K3 w - - 0 1"));
  // A pawn the king cannot catch is nearly a queen; one it can catch is not.
  EXPECT_GT(eval_of("8/8/1P6/8/8/8/7k/4K3 w - - 0 1"), 500);
  EXPECT_LT(eval_of("k7/8/1P6/8/8/8/8/4K3 w - - 0 1"), 400);
}

}  // namespace
}  // namespace tolvane
