#include "search/eval_params.h"

namespace tolvane {

std::vector<ParamField> param_fields(EvalParams& p) {
  std::vector<ParamField> fields;
  auto add = [&](const std::string& name, Pair& value) { fields.push_back({name, &value}); };
  auto add_array = [&](const std::string& name, Pair* values, int count) {
    for (int i = 0; i < count; ++i) add(name + "[" + std::to_string(i) + "]", values[i]);
  };
  add_array("material", p.material, 5);
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
  add("threat_by_pawn", p.threat_by_pawn);
  add("threat_by_minor", p.threat_by_minor);
  add("threat_by_rook", p.threat_by_rook);
  add("hanging", p.hanging);
  add("tempo", p.tempo);
  return fields;
}

}  // namespace tolvane
