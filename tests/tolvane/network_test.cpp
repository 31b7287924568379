// The evaluation network's features and the sums the search keeps up to date
// move by move.
#include <gtest/gtest.h>

#include <random>
#include <set>

#include "board/movegen.h"
#include "search/network.h"

namespace tolvane::network {
namespace {

TEST(Network, GivesEveryPieceOnEverySquareItsOwnFeature) {
  for (Color side : {White, Black}) {
    std::set<int> seen;
    for (int p = 0; p < NoPiece; ++p)
      for (Square s = 0; s < 64; ++s) seen.insert(feature(side, Piece(p), s));
    EXPECT_EQ(seen.size(), std::size_t(Inputs));
    EXPECT_EQ(*seen.begin(), 0);
    EXPECT_EQ(*seen.rbegin(), Inputs - 1);
  }
}

bool same_sums(const Accumulator& a, const Accumulator& b) { return a.half[White] == b.half[White] && a.half[Black] == b.half[Black]; }

// Random games from positions rich in castling, en passant and promotion:
// the sums updated move by move stay those of the position.
TEST(Network, UpdatedSumsEqualSumsAddedUpAfresh) {
  const char* fens[] = {
      "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
      "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1",
      "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
      "rnbqkbnr/ppp1p1pp/8/3pPp2/8/8/PPPP1PPP/RNBQKBNR w KQkq f6 0 3",
  };
  std::mt19937 rng(7);
  for (const char* fen : fens) {
    for (int game = 0; game < 20; ++game) {
      Position pos = *Position::from_fen(fen);
      Accumulator sums;
      refresh(pos, sums);
      for (int ply = 0; ply < 40; ++ply) {
        const MoveList moves = legal_moves(pos);
        if (moves.empty()) break;
        const Move m = moves[rng() % moves.size()];
        Accumulator next;
        update(sums, delta_of(pos, m), next);
        pos.make(m);
        Accumulator fresh;
        refresh(pos, fresh);
        ASSERT_TRUE(same_sums(next, fresh)) << fen << " then " << move_to_text(m);
        EXPECT_EQ(output(next, pos), evaluate(pos));
        sums = next;
      }
    }
  }
}

}  // namespace
}  // namespace tolvane::network
