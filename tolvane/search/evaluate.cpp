#include "search/evaluate.h"

#include <algorithm>
#include <cstdlib>

namespace tolvane {
namespace {

struct Pair {
  int mg = 0;
  int eg = 0;
  Pair& operator+=(Pair o) {
    mg += o.mg;
    eg += o.eg;
    return *this;
  }
  Pair& operator-=(Pair o) {
    mg -= o.mg;
    eg -= o.eg;
    return *this;
  }
};
constexpr Pair operator*(Pair p, int k) { return {p.mg * k, p.eg * k}; }

constexpr Pair Material[6] = {{90, 120}, {330, 310}, {345, 330}, {470, 540}, {980, 1000}, {0, 0}};
constexpr int PhaseWeight[6] = {0, 1, 1, 2, 4, 0};
constexpr int FullPhase = 24;

constexpr Pair BishopPair = {30, 55};
constexpr Pair RookOpenFile = {28, 10};
constexpr Pair RookHalfOpenFile = {12, 8};
constexpr Pair RookSeventh = {10, 25};
constexpr Pair Doubled = {-8, -22};
constexpr Pair Isolated = {-12, -14};
constexpr Pair Backward = {-8, -10};
constexpr Pair Connected = {6, 5};
constexpr int Tempo = 12;
// Passed pawns by relative rank.
constexpr Pair PassedBonus[8] = {{0, 0}, {2, 8}, {5, 14}, {12, 28}, {25, 50}, {45, 90}, {75, 140}, {0, 0}};
// Mobility per reachable square beyond a typical count.
constexpr Pair MobilityUnit[6] = {{0, 0}, {4, 4}, {5, 5}, {2, 4}, {1, 2}, {0, 0}};
constexpr int MobilityBase[6] = {0, 4, 6, 6, 12, 0};
constexpr int AttackWeight[6] = {0, 2, 2, 3, 5, 0};

// Piece-square tables, built from a few shapes rather than typed out:
// centre pull for the pieces, advance for pawns, shelter for the king.
struct Tables {
  Pair psq[6][64];  // from White's side; Black reads the mirrored square
  Bitboard passed_mask[2][64];
  Bitboard forward_file[2][64];
  Bitboard adjacent_files[8];
  Bitboard king_zone[2][64];
};

int centre_distance(Square s) {
  int f = file_of(s), r = rank_of(s);
  int df = f < 4 ? 3 - f : f - 4;
  int dr = r < 4 ? 3 - r : r - 4;
  return df + dr;  // 0 in the centre, 6 in a corner
}

Tables build_tables() {
  Tables t{};
  for (Square s = 0; s < 64; ++s) {
    int f = file_of(s), r = rank_of(s), c = centre_distance(s);
    int edge_file = std::min(f, 7 - f);
    // Pawns: advance, and central pawns a little more in the middle game.
    Pair pawn{r * 3 + (edge_file >= 2 && r >= 3 && r <= 4 ? 12 : 0) - (edge_file == 3 && r == 1 ? 8 : 0),
              r * 6};
    if (r == 0 || r == 7) pawn = {0, 0};
    t.psq[Pawn][s] = pawn;
    t.psq[Knight][s] = {24 - 9 * c + (r == 0 ? -8 : 0), 18 - 7 * c};
    t.psq[Bishop][s] = {10 - 3 * c + (r == 0 ? -6 : 0) + ((f == r || f + r == 7) ? 6 : 0), 10 - 4 * c};
    t.psq[Rook][s] = {(edge_file >= 2 && r == 0 ? 6 : 0) + (edge_file == 0 ? -4 : 0), 0};
    t.psq[Queen][s] = {4 - 2 * c + (r == 0 ? 0 : r >= 5 ? -2 : 0), 12 - 4 * c};
    // King: shelter at home in the middle game, centre in the end game.
    int home = r == 0 ? (edge_file <= 1 ? 30 : edge_file == 2 ? 15 : 0) : r == 1 ? 0 : -15 * (r - 1);
    t.psq[King][s] = {std::max(home, -70), 28 - 9 * c};
  }
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
      zone |= shift_forward(c, zone);
      t.king_zone[c][s] = zone;
    }
  }
  return t;
}

const Tables& tables() {
  static const Tables t = build_tables();
  return t;
}

Square relative(Color c, Square s) { return c == White ? s : s ^ 56; }
int relative_rank(Color c, Square s) { return c == White ? rank_of(s) : 7 - rank_of(s); }

// Pawn structure and king shelter of one side.
Pair pawn_terms(const Position& pos, Color us, Bitboard& passed) {
  const Tables& t = tables();
  const Color them = ~us;
  const Bitboard ours = pos.pieces(us, Pawn), theirs = pos.pieces(them, Pawn);
  Pair score;
  Bitboard b = ours;
  while (b) {
    Square s = pop_lsb(b);
    int f = file_of(s);
    bool isolated = !(t.adjacent_files[f] & ours);
    bool doubled = (t.forward_file[us][s] & ours) != 0;
    bool connected = (pawn_attacks(them, s) | (king_attacks(s) & rank_bb(rank_of(s)))) & ours;
    if (isolated) score += Isolated;
    if (doubled) score += Doubled;
    if (connected) score += Connected;
    // Backward: no friendly pawn beside or behind on the neighbouring files,
    // and the square in front is covered by an enemy pawn.
    if (!isolated && !connected) {
      Bitboard support = t.passed_mask[them][s + (us == White ? 8 : -8)] & t.adjacent_files[f] & ours;
      Square stop = s + (us == White ? 8 : -8);
      if (!support && (pawn_attacks(us, stop) & theirs)) score += Backward;
    }
    if (!(t.passed_mask[us][s] & theirs) && !doubled) passed |= square_bb(s);
  }
  // Shelter: own pawns in front of the king on its file and the two beside it.
  Square k = pos.king_square(us);
  int kf = std::clamp(file_of(k), 1, 6);
  int shelter = 0;
  for (int f = kf - 1; f <= kf + 1; ++f) {
    Bitboard file_pawns = ours & file_bb(f) & t.passed_mask[us][k];
    if (!file_pawns) {
      shelter -= 18;
      if (!(theirs & file_bb(f))) shelter -= 10;  // an open file towards the king
      continue;
    }
    Square nearest = us == White ? lsb(file_pawns) : 63 - std::countl_zero(file_pawns);
    int distance = std::abs(rank_of(nearest) - rank_of(k));
    shelter += distance <= 1 ? 8 : distance == 2 ? 0 : -10;
  }
  score.mg += shelter;
  return score;
}

int evaluate_side_pieces(const Position& pos, Color us, Pair& score, Bitboard& attacks_near_their_king) {
  const Tables& t = tables();
  const Color them = ~us;
  const Bitboard occ = pos.pieces();
  const Bitboard their_pawn_attacks = pawn_attacks_bb(them, pos.pieces(them, Pawn));
  const Bitboard safe = ~(pos.pieces(us) | their_pawn_attacks);
  const Bitboard zone = t.king_zone[them][pos.king_square(them)];
  int attack_units = 0, attackers = 0;
  attacks_near_their_king = 0;
  for (PieceType pt : {Knight, Bishop, Rook, Queen}) {
    Bitboard b = pos.pieces(us, pt);
    while (b) {
      Square s = pop_lsb(b);
      Bitboard att = pt == Knight   ? knight_attacks(s)
                     : pt == Bishop ? bishop_attacks(s, occ ^ pos.pieces(us, Queen))
                     : pt == Rook   ? rook_attacks(s, occ ^ pos.pieces(us, Queen) ^ pos.pieces(us, Rook))
                                    : queen_attacks(s, occ);
      score += MobilityUnit[pt] * (popcount(att & safe) - MobilityBase[pt]);
      if (att & zone) {
        ++attackers;
        attack_units += AttackWeight[pt] + popcount(att & zone);
        attacks_near_their_king |= att & zone;
      }
      if (pt == Rook) {
        Bitboard file = file_bb(file_of(s));
        if (!(file & pos.pieces(us, Pawn)))
          score += (file & pos.pieces(them, Pawn)) ? RookHalfOpenFile : RookOpenFile;
        if (relative_rank(us, s) == 6 && relative_rank(us, pos.king_square(them)) >= 6) score += RookSeventh;
      }
    }
  }
  if (attackers >= 2 && pos.pieces(us, Queen)) return std::min(attack_units * attack_units, 450);
  return 0;
}

Pair passed_terms(const Position& pos, Color us, Bitboard passed) {
  const Tables& t = tables();
  const Color them = ~us;
  Pair score;
  while (passed) {
    Square s = pop_lsb(passed);
    int r = relative_rank(us, s);
    Pair bonus = PassedBonus[r];
    Square stop = s + (us == White ? 8 : -8);
    if (r >= 3) {
      // Kings near the path matter most in the end game.
      auto dist = [](Square a, Square b) {
        return std::max(std::abs(file_of(a) - file_of(b)), std::abs(rank_of(a) - rank_of(b)));
      };
      bonus.eg += (dist(stop, pos.king_square(them)) * 5 - dist(stop, pos.king_square(us)) * 2) * (r - 2);
      if (pos.piece_on(stop) != NoPiece) bonus = {bonus.mg / 2, bonus.eg / 2};
      else if (!(t.forward_file[us][s] & pos.pieces(them))) bonus.eg += 8 * (r - 2);
    }
    // An unstoppable pawn against bare pieces: the king cannot catch it.
    if (non_pawn_material(pos, them) == 0) {
      Square promo = make_square(file_of(s), us == White ? 7 : 0);
      int pawn_dist = 7 - r - (r == 1 ? 1 : 0);
      int king_dist = std::max(std::abs(file_of(promo) - file_of(pos.king_square(them))),
                               std::abs(rank_of(promo) - rank_of(pos.king_square(them))));
      if (king_dist - (pos.side_to_move() == them ? 1 : 0) > pawn_dist) bonus.eg += 500;
    }
    score += bonus;
  }
  return score;
}

}  // namespace

int non_pawn_material(const Position& pos, Color c) {
  return popcount(pos.pieces(c, Knight)) * 320 + popcount(pos.pieces(c, Bishop)) * 330 +
         popcount(pos.pieces(c, Rook)) * 500 + popcount(pos.pieces(c, Queen)) * 950;
}

int evaluate(const Position& pos, PawnCache& cache) {
  const Tables& t = tables();
  Pair score;
  int phase = 0;
  for (Color c : {White, Black}) {
    Pair side;
    for (PieceType pt = Pawn; pt <= King; pt = PieceType(pt + 1)) {
      Bitboard b = pos.pieces(c, pt);
      phase += PhaseWeight[pt] * popcount(b);
      while (b) {
        Square s = pop_lsb(b);
        side += Material[pt];
        side += t.psq[pt][relative(c, s)];
      }
    }
    if (more_than_one(pos.pieces(c, Bishop))) side += BishopPair;
    if (c == White) score += side;
    else score -= side;
  }

  PawnCache::Entry& entry = cache.slot(pos.pawn_key());
  if (entry.key != pos.pawn_key()) {
    Bitboard passed_white = 0, passed_black = 0;
    Pair white = pawn_terms(pos, White, passed_white);
    Pair black = pawn_terms(pos, Black, passed_black);
    entry = {pos.pawn_key(), white.mg - black.mg, white.eg - black.eg, passed_white | passed_black};
  }
  score += Pair{entry.mg, entry.eg};
  score += passed_terms(pos, White, entry.passed & pos.pieces(White));
  score -= passed_terms(pos, Black, entry.passed & pos.pieces(Black));

  Pair white_pieces, black_pieces;
  Bitboard white_near, black_near;
  int danger_to_black = evaluate_side_pieces(pos, White, white_pieces, white_near);
  int danger_to_white = evaluate_side_pieces(pos, Black, black_pieces, black_near);
  score += white_pieces;
  score -= black_pieces;
  score.mg += danger_to_white > 0 ? -danger_to_white : 0;
  score.mg += danger_to_black;

  phase = std::min(phase, FullPhase);
  int value = (score.mg * phase + score.eg * (FullPhase - phase)) / FullPhase;

  // Without pawns, a lead of less than a rook rarely wins.
  Color strong = value > 0 ? White : Black;
  if (!pos.pieces(strong, Pawn) &&
      non_pawn_material(pos, strong) - non_pawn_material(pos, ~strong) < 500)
    value /= 8;
  // Bishops of opposite colours with only pawns besides draw often.
  if (phase == 2 && popcount(pos.pieces(White, Bishop)) == 1 && popcount(pos.pieces(Black, Bishop)) == 1) {
    constexpr Bitboard Dark = 0xAA55AA55AA55AA55ULL;
    bool white_dark = pos.pieces(White, Bishop) & Dark, black_dark = pos.pieces(Black, Bishop) & Dark;
    if (white_dark != black_dark) value /= 2;
  }
  return (pos.side_to_move() == White ? value : -value) + Tempo;
}

}  // namespace tolvane
