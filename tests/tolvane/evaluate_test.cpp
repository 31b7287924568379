// The evaluation must treat both colours alike and see the obvious.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <sstream>

#include "search/evaluate.h"

namespace tolvane {
namespace {

char other_colour(char c) {
  return std::isupper(static_cast<unsigned char>(c)) ? char(std::tolower(c)) : char(std::toupper(c));
}

// The same position with colours swapped and the board turned over.
std::string mirrored(const std::string& fen) {
  std::istringstream in(fen);
  std::string board, side, castling, ep, half, full;
  in >> board >> side >> castling >> ep >> half >> full;
  std::string turned;
  std::stringstream rows(board);
  for (std::string r; std::getline(rows, r, '/');) turned = r + (turned.empty() ? "" : "/") + turned;
  std::transform(turned.begin(), turned.end(), turned.begin(), other_colour);
  std::transform(castling.begin(), castling.end(), castling.begin(), other_colour);
  std::sort(castling.begin(), castling.end(), [](char a, char b) {
    return std::string("KQkq").find(a) < std::string("KQkq").find(b);
  });
  if (ep != "-") ep[1] = ep[1] == '3' ? '6' : '3';
  return turned + (side == "w" ? " b " : " w ") + castling + " " + ep + " " + half + " " + full;
}

// The general rules hold with the network's correction (true) and without (false).
class BothEvaluations : public ::testing::TestWithParam<bool> {
 protected:
  int eval_of(const std::string& fen) const {
    PawnCache cache;
    auto pos = Position::from_fen(fen);
    EXPECT_TRUE(pos) << fen;
    if (!pos) return 0;
    return GetParam() ? evaluate(*pos, cache) : classical_evaluate(*pos, cache);
  }
};
INSTANTIATE_TEST_SUITE_P(Evaluate, BothEvaluations, ::testing::Bool());

TEST_P(BothEvaluations, AreTheSameForBothColours) {
  const char* fens[] = {
      "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
      "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
      "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
      "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10",
      "4k3/8/8/3P4/8/8/8/4K2R b K - 0 1",
      "6k1/5ppp/8/8/2B5/8/5PPP/6K1 w - - 0 1",
      // Outposts, threats, storms, a bare king against a rook.
      "r1bq1rk1/pp3ppp/2n5/3Np3/4P3/8/PPP2PPP/R2QKB1R w KQ - 0 12",
      "6k1/5p2/6pp/8/8/8/6PP/R5K1 b - - 0 40",
      "8/8/8/3k4/8/8/8/R3K3 w - - 0 1",
  };
  for (const char* fen : fens) EXPECT_EQ(eval_of(fen), eval_of(mirrored(fen))) << fen;
}

TEST_P(BothEvaluations, SeeMaterialAndPassedPawns) {
  // A knight up is well ahead.
  EXPECT_GT(eval_of("4k3/8/8/8/8/8/8/3NK3 w - - 0 1"), -50);  // but alone it cannot win
  EXPECT_GT(eval_of("4k3/pppp4/8/8/8/8/PPPP4/3NK3 w - - 0 1"), 200);
  // A passed pawn on the seventh is worth more than one at home.
  EXPECT_GT(eval_of("4k3/P7/8/8/8/8/8/4K3 w - - 0 1"), eval_of("4k3/8/8/8/8/8/P7/4K3 w - - 0 1"));
  // A pawn the king cannot catch is nearly a queen; one it can catch is not.
  EXPECT_GT(eval_of("8/8/1P6/8/8/8/7k/4K3 w - - 0 1"), 500);
  EXPECT_LT(eval_of("k7/8/1P6/8/8/8/8/4K3 w - - 0 1"), 400);
}

TEST_P(BothEvaluations, KnowWhichEndingsWin) {
  // A lone minor piece cannot win, however many moves it has; a rook can.
  EXPECT_LT(std::abs(eval_of("4k3/8/8/8/3B4/8/8/4K3 w - - 0 1")), 60);
  EXPECT_GT(eval_of("4k3/8/8/8/8/8/8/R3K3 w - - 0 1"), 500);
  // With a rook against a bare king, a king on the rim and kings close together are better.
  EXPECT_GT(eval_of("k7/8/1K6/8/8/8/8/7R w - - 0 1"), eval_of("8/8/8/3k4/8/8/8/K6R w - - 0 1"));
  // Opposite bishops halve a pawn's lead; bishops of one colour do not.
  int opposite = eval_of("4k3/4b3/8/8/3P4/2PB4/8/4K3 w - - 0 1");
  int same = eval_of("4k3/3b4/8/8/3P4/2PB4/8/4K3 w - - 0 1");
  EXPECT_LT(opposite * 3, same * 2);
}

// How much one weight, raised by 24 in both halves, moves the evaluation (White's view):
// 24 times the number of times the term applies.
int term_count(const std::string& fen, Pair EvalParams::*term) {
  auto pos = Position::from_fen(fen);
  EXPECT_TRUE(pos) << fen;
  EvalParams raised;
  raised.*term += Pair{24, 24};
  PawnCache a, b;
  int diff = classical_evaluate(*pos, a, raised) - classical_evaluate(*pos, b, EvalParams{});
  return (pos->side_to_move() == White ? diff : -diff) / 24;
}

TEST(Evaluate, SeesThreatsOutpostsAndStorms) {
  const std::tuple<const char*, Pair EvalParams::*, int> cases[] = {
      {"r3k3/p7/3n4/4P3/8/8/P7/R3K3 w - - 0 1", &EvalParams::threat_by_pawn, 1},
      {"r3k3/p7/3n4/8/4P3/8/P7/R3K3 w - - 0 1", &EvalParams::threat_by_pawn, 0},
      // A bishop attacked by a rook hangs only while nothing defends it.
      {"4k3/p7/8/3b4/8/8/P2R4/3QK3 b - - 0 1", &EvalParams::hanging, 1},
      {"4k3/p7/4p3/3b4/8/8/P2R4/3QK3 b - - 0 1", &EvalParams::hanging, 0},
      // A queen attacked by a knight, and by a rook.
      {"4k3/p7/8/3q4/8/2N5/P7/4K2R w - - 0 1", &EvalParams::threat_by_minor, 1},
      {"4k3/p7/8/3q4/8/8/P7/3RK3 w - - 0 1", &EvalParams::threat_by_rook, 1},
      // A pawn-protected knight that no enemy pawn can chase away sits on an outpost.
      {"4k3/pp4pp/8/3N4/4P3/8/PP4PP/4K3 w - - 0 1", &EvalParams::knight_outpost, 1},
      {"4k3/pp2p1pp/8/3N4/4P3/8/PP4PP/4K3 w - - 0 1", &EvalParams::knight_outpost, 0},
      // Enemy pawns marching at the castled king.
      {"4k3/pp6/8/8/6pp/8/5PPP/6K1 w - - 0 1", &EvalParams::pawn_storm, 2},
      {"4k3/pp4pp/8/8/8/8/5PPP/6K1 w - - 0 1", &EvalParams::pawn_storm, 0},
  };
  for (const auto& [fen, term, count] : cases) EXPECT_EQ(term_count(fen, term), count) << fen;
}

TEST(Evaluate, KingDangerCountsChecksFromUnguardedSquares) {
  // A queen and a knight at the king; the knight can check from f6 and h6.
  auto knight_check_weight = [](const char* fen) {
    auto pos = Position::from_fen(fen);
    EXPECT_TRUE(pos) << fen;
    EvalParams raised;
    raised.king_safe_check[Knight - Knight].mg += 10;
    PawnCache a, b;
    return classical_evaluate(*pos, a, raised) - classical_evaluate(*pos, b, EvalParams{});
  };
  EXPECT_GT(knight_check_weight("6k1/5p1p/8/7Q/6N1/8/8/6K1 w - - 0 1"), 0);
  // Bishops guarding both squares leave the knight no safe check.
  EXPECT_EQ(knight_check_weight("5bk1/4bp1p/8/7Q/6N1/8/8/6K1 w - - 0 1"), 0);
}

TEST(Evaluate, WeightsChangeTheEvaluation) {
  // The tuner relies on every named weight being reachable through the field list.
  EvalParams params;
  std::set<std::string> names;
  for (auto& f : param_fields(params)) EXPECT_TRUE(names.insert(f.name).second) << f.name;
  params.material[Knight] += Pair{100, 100};
  PawnCache cache;
  auto pos = Position::from_fen("4k3/pppp4/8/8/8/8/PPPP4/3NK3 w - - 0 1");
  EXPECT_EQ(classical_evaluate(*pos, cache, params) - classical_evaluate(*pos, cache, EvalParams{}), 100);
}

}  // namespace
}  // namespace tolvane
