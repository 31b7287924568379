// Material-only rating of moves; Fast_mode keeps the trial positions out of the game tree.
#include "search/material_choice.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "driver/output_channel.h"
#include "rules/rules.h"

namespace {

constexpr int16_t DEEP_DEPTH = 14;
constexpr int16_t DEEP_FULL_WIDTH = 2;

int16_t balance(const PositionNode* node) {
  return static_cast<int16_t>(node->Qualitaet_weiss - node->Qualitaet_schw);
}

// Moves the entries that capture on the square of the node's last move to the front; their count.
int16_t recaptures_first(PositionNode* node) {
  MoveEntry* moves = node->Zuege();
  int16_t front = 0, back = node->Anz_moegl_zuege;
  while (front < back) {
    if (moves[front].Nach == node->Letzter_zug_nach) ++front;
    else std::swap(moves[front], moves[--back]);
  }
  return front;
}

// Rated from the mover's side: White's balance as it is, Black's negated.
int16_t for_mover(int16_t score, bool black) { return black ? static_cast<int16_t>(-score) : score; }

// How many moves the mover would have after entry index: a measure of the position it leads to.
int mobility_after(PositionNode* node, PoolCursor* game, Board* board, int16_t index) {
  uint8_t* saved_free = game->Pool_free;
  PositionNode* child = PlayMove(node, game, board, index);
  int count = 0;
  PositionNode* probe = reinterpret_cast<PositionNode*>(game->Pool_free);
  // Like the check probe of the rules core: the mover's moves from the board, with the rights left to it.
  if (CreateNode(nullptr, game->Pool_free, game->Pool_end, 0, 0, 0, child->Letzter_status, node->Welcher_zug) !=
      nullptr)
    count = probe->Anz_moegl_zuege;
  TakeBack(child, board);
  game->Pool_free = saved_free;
  return count;
}

}  // namespace

int16_t material_search(PositionNode* node, PoolCursor* game, Board* board, int16_t depth, int16_t full_width,
                        int16_t index) {
  // The trial positions are given back on return, so they must be neither linked nor reused.
  const uint8_t saved_mode = board->Fast_mode;
  board->Fast_mode = 1;
  uint8_t* saved_free = game->Pool_free;
  PositionNode* child = PlayMove(node, game, board, index);
  int16_t result = balance(child);
  const int16_t searched = full_width - 1 < 0 ? recaptures_first(child) : child->Anz_moegl_zuege;
  if (depth - 1 > 0) {
    // The side to move may always stand on the current balance: nobody has to capture.
    const bool black_to_move = child->Welcher_zug <= 0;
    for (int16_t j = 0; j < searched; ++j) {
      const int16_t r = material_search(child, game, board, static_cast<int16_t>(depth - 1),
                                        static_cast<int16_t>(full_width - 1), j);
      result = black_to_move ? std::min(result, r) : std::max(result, r);
    }
  }
  TakeBack(child, board);
  game->Pool_free = saved_free;
  board->Fast_mode = saved_mode;
  return result;
}

void choose_computer_move(PositionNode* node, PoolCursor* game, Board* board, int16_t depth, int16_t full_width) {
  board->Fast_mode = 1;
  const bool black = node->Welcher_zug <= 0;
  int16_t sQualitaetsverlauf = 0;
  int16_t sAnz_gute_zuege = 0;
  int16_t asGute_zuege[2] = {0, 0};

  for (int16_t i = 0; i < node->Anz_moegl_zuege; ++i) {
    const int16_t quick = for_mover(material_search(node, game, board, depth, full_width, i), black);
    console_print("%c", '.');
    if (!((quick >= sQualitaetsverlauf && sAnz_gute_zuege < 2) || quick > sQualitaetsverlauf)) continue;
    const int16_t score =
        for_mover(material_search(node, game, board, DEEP_DEPTH, DEEP_FULL_WIDTH, i), black);
    if (score >= sQualitaetsverlauf && sAnz_gute_zuege < 2) asGute_zuege[sAnz_gute_zuege++] = i;
    if (score > sQualitaetsverlauf) {
      sQualitaetsverlauf = score;
      asGute_zuege[0] = i;
      sAnz_gute_zuege = 1;
    }
  }

  if (sAnz_gute_zuege == 2) {
    // Both good moves reach the same material; the freer position decides, chance only a tie.
    const int first = mobility_after(node, game, board, asGute_zuege[0]);
    const int second = mobility_after(node, game, board, asGute_zuege[1]);
    if (first != second) {
      if (second > first) asGute_zuege[0] = asGute_zuege[1];
      sAnz_gute_zuege = 1;
    }
  }
  node->Bester_zug = sAnz_gute_zuege == 0 ? 0 : asGute_zuege[std::rand() % sAnz_gute_zuege];
  board->Fast_mode = 0;
}
