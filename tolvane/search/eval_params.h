// The evaluation's weights. Each term has a middle-game and an end-game
// value; the evaluation blends the two by the material left. The values in
// use are fitted to the engine's own games by the tuner in tools/tuner,
// which writes eval_weights.cpp.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace tolvane {

struct Pair {
  int mg = 0;
  int eg = 0;
  constexpr Pair& operator+=(Pair o) {
    mg += o.mg;
    eg += o.eg;
    return *this;
  }
  constexpr Pair& operator-=(Pair o) {
    mg -= o.mg;
    eg -= o.eg;
    return *this;
  }
  constexpr bool operator==(const Pair&) const = default;
};
constexpr Pair operator*(Pair p, int k) { return {p.mg * k, p.eg * k}; }
constexpr Pair operator+(Pair a, Pair b) { return a += b; }
constexpr Pair operator-(Pair a, Pair b) { return a -= b; }

// Piece-square values, pawn .. king, from White's side; Black reads the
// square mirrored top to bottom.
using PieceSquares = std::array<std::array<Pair, 64>, 6>;

// The hand-set piece-square values the tuner starts from.
PieceSquares shaped_piece_squares();

struct EvalParams {
  Pair material[5] = {{90, 120}, {330, 310}, {345, 330}, {470, 540}, {980, 1000}};  // pawn .. queen
  PieceSquares psq = shaped_piece_squares();
  Pair bishop_pair = {30, 55};
  // Per safe square a piece reaches, beyond a typical count (knight .. queen).
  Pair mobility[4] = {{4, 4}, {5, 5}, {2, 4}, {1, 2}};

  Pair rook_open_file = {28, 10};
  Pair rook_half_open_file = {12, 8};
  Pair rook_seventh = {10, 25};
  Pair queen_open_file = {4, 4};
  Pair knight_outpost = {20, 10};
  Pair bishop_outpost = {10, 5};

  Pair doubled = {-8, -22};
  Pair isolated = {-12, -14};
  Pair backward = {-8, -10};
  Pair connected = {6, 5};
  Pair passed[6] = {{2, 8}, {5, 14}, {12, 28}, {25, 50}, {45, 90}, {75, 140}};  // by rank 2 .. 7
  // Scaled by how far the pawn has come (rank 4 counts once, rank 7 four times).
  Pair passed_free_path = {0, 8};
  Pair passed_enemy_king_distance = {0, 5};
  Pair passed_own_king_distance = {0, -2};

  // Own pawns in front of the king, on its file and the two beside it.
  Pair shelter_close = {8, 0};
  Pair shelter_missing = {-18, 0};
  Pair shelter_open_file = {-10, 0};
  // Enemy pawns advancing on those files, one or two ranks in front of the king's shelter.
  Pair pawn_storm = {-10, 0};

  // Attack units per piece hitting the squares around the enemy king
  // (knight .. queen); the danger grows with the square of the units.
  Pair king_attack_weight[4] = {{2, 0}, {2, 0}, {3, 0}, {5, 0}};
  // Attack units per kind of piece (knight .. queen) that can check from a square the king's side does not guard.
  Pair king_safe_check[4] = {{3, 0}, {2, 0}, {3, 0}, {3, 0}};

  Pair threat_by_pawn = {40, 30};    // a piece attacked by a pawn
  Pair threat_by_minor = {25, 20};   // a rook or queen attacked by a knight or bishop
  Pair threat_by_rook = {25, 20};    // a queen attacked by a rook
  Pair hanging = {20, 15};           // a piece attacked and not defended

  Pair tempo = {12, 12};
};

// The weights the engine plays with.
const EvalParams& tuned_params();

// Every weight with its name, in declaration order, for the tuner.
struct ParamField {
  std::string name;
  Pair* value;
};
std::vector<ParamField> param_fields(EvalParams& params);

}  // namespace tolvane
