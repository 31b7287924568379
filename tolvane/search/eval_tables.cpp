#include "search/eval_tables.h"

namespace tolvane {
namespace {

int centre_distance(Square s) {
  int f = file_of(s), r = rank_of(s);
  int df = f < 4 ? 3 - f : f - 4;
  int dr = r < 4 ? 3 - r : r - 4;
  return df + dr;  // 0 in the centre, 6 in a corner
}

// Piece-square values built from a few shapes rather than typed out: centre
// pull for the pieces, advance for pawns, shelter for the king.
void build_piece_squares(EvalTables& t) {
  for (Square s = 0; s < 64; ++s) {
    int f = file_of(s), r = rank_of(s), c = centre_distance(s);
    int edge_file = std::min(f, 7 - f);
    Pair pawn{r * 3 + (edge_file >= 2 && r >= 3 && r <= 4 ? 12 : 0) - (edge_file == 3 && r == 1 ? 8 : 0),
              r * 6};
    if (r == 0 || r == 7) pawn = {0, 0};
    t.psq[Pawn][s] = pawn;
    t.psq[Knight][s] = {24 - 9 * c + (r == 0 ? -8 : 0), 18 - 7 * c};
    t.psq[Bishop][s] = {10 - 3 * c + (r == 0 ? -6 : 0) + ((f == r || f + r == 7) ? 6 : 0), 10 - 4 * c};
    t.psq[Rook][s] = {(edge_file >= 2 && r == 0 ? 6 : 0) + (edge_file == 0 ? -4 : 0), 0};
    t.psq[Queen][s] = {4 - 2 * c + (r >= 5 ? -2 : 0), 12 - 4 * c};
    int home = r == 0 ? (edge_file <= 1 ? 30 : edge_file == 2 ? 15 : 0) : r == 1 ? 0 : -15 * (r - 1);
    t.psq[King][s] = {std::max(home, -70), 28 - 9 * c};
  }
}

EvalTables build_tables() {
  EvalTables t{};
  build_piece_squares(t);
  for (int f = 0; f < 8; ++f)
    t.adjacent_files[f] = (f > 0 ? file_bb(f - 1) : 0) | (f < 7 ? file_bb(f + 1) : 0);
  for (Square s = 0; s < 64; ++s) {
    for (Color c : {White, Black}) {
      Bitboard ahead = 0;
      for (int r = rank_of(s) + (c == White ? 1 : -1); r >= 0 && r < 8; r += (c == White ? 1 : -1))
        ahead |= rank_bb(r);
      t.forward_file[c][s] = ahead & file_bb(file_of(s));
      t.passed_mask[c][s] = ahead & (file_bb(file_of(s)) | t.adjacent_files[file_of(s)]);
      Bitboard zone = king_attacks(s) | square_bb(s);
      t.king_zone[c][s] = zone | shift_forward(c, zone);
    }
  }
  return t;
}

}  // namespace

const EvalTables& eval_tables() {
  static const EvalTables t = build_tables();
  return t;
}

}  // namespace tolvane
