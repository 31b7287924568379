#include "search/eval_params.h"

#include <algorithm>

#include "board/types.h"

namespace tolvane {
namespace {

int centre_distance(Square s) {
  int f = file_of(s), r = rank_of(s);
  int df = f < 4 ? 3 - f : f - 4;
  int dr = r < 4 ? 3 - r : r - 4;
  return df + dr;  // 0 in the centre, 6 in a corner
}

}  // namespace

// Built from a few shapes rather than typed out: centre pull for the pieces,
// advance for pawns, shelter for the king.
PieceSquares shaped_piece_squares() {
  PieceSquares psq{};
  for (Square s = 0; s < 64; ++s) {
    int f = file_of(s), r = rank_of(s), c = centre_distance(s);
    int edge_file = std::min(f, 7 - f);
    Pair pawn{r * 3 + (edge_file >= 2 && r >= 3 && r <= 4 ? 12 : 0) - (edge_file == 3 && r == 1 ? 8 : 0),
              r * 6};
    if (r == 0 || r == 7) pawn = {0, 0};
    psq[Pawn][s] = pawn;
    psq[Knight][s] = {24 - 9 * c + (r == 0 ? -8 : 0), 18 - 7 * c};
    psq[Bishop][s] = {10 - 3 * c + (r == 0 ? -6 : 0) + ((f == r || f + r == 7) ? 6 : 0), 10 - 4 * c};
    psq[Rook][s] = {(edge_file >= 2 && r == 0 ? 6 : 0) + (edge_file == 0 ? -4 : 0), 0};
    psq[Queen][s] = {4 - 2 * c + (r >= 5 ? -2 : 0), 12 - 4 * c};
    int home = r == 0 ? (edge_file <= 1 ? 30 : edge_file == 2 ? 15 : 0) : r == 1 ? 0 : -15 * (r - 1);
    psq[King][s] = {std::max(home, -70), 28 - 9 * c};
  }
  return psq;
}

std::vector<ParamField> param_fields(EvalParams& p) {
  std::vector<ParamField> fields;
  auto add = [&](const std::string& name, Pair& value) { fields.push_back({name, &value}); };
  auto add_array = [&](const std::string& name, Pair* values, int count) {
    for (int i = 0; i < count; ++i) add(name + "[" + std::to_string(i) + "]", values[i]);
  };
  add_array("material", p.material, 5);
  // Only squares a piece can stand on: pawns never reach the first or last rank.
  for (int pt = Pawn; pt <= King; ++pt)
    for (Square s = 0; s < 64; ++s)
      if (pt != Pawn || (rank_of(s) != 0 && rank_of(s) != 7))
        add("psq[" + std::to_string(pt) + "][" + std::to_string(s) + "]", p.psq[pt][s]);
  add("bishop_pair", p.bishop_pair);
  add_array("mobility", p.mobility, 4);
  add("rook_open_file", p.rook_open_file);
  add("rook_half_open_file", p.rook_half_open_file);
  add("rook_seventh", p.rook_seventh);
  add("queen_open_file", p.queen_open_file);
  add("knight_outpost", p.knight_outpost);
  add("bishop_outpost", p.bishop_outpost);
  add("doubled", p.doubled);
  add("isolated", p.isolated);
  add("backward", p.backward);
  add("connected", p.connected);
  add_array("passed", p.passed, 6);
  add("passed_free_path", p.passed_free_path);
  add("passed_enemy_king_distance", p.passed_enemy_king_distance);
  add("passed_own_king_distance", p.passed_own_king_distance);
  add("shelter_close", p.shelter_close);
  add("shelter_missing", p.shelter_missing);
  add("shelter_open_file", p.shelter_open_file);
  add("pawn_storm", p.pawn_storm);
  add_array("king_attack_weight", p.king_attack_weight, 4);
  add_array("king_safe_check", p.king_safe_check, 4);
  add("threat_by_pawn", p.threat_by_pawn);
  add("threat_by_minor", p.threat_by_minor);
  add("threat_by_rook", p.threat_by_rook);
  add("hanging", p.hanging);
  add("tempo", p.tempo);
  return fields;
}

}  // namespace tolvane
