#include "search/eval_tables.h"

namespace tolvane {
namespace {

EvalTables build_tables() {
  EvalTables t{};
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
