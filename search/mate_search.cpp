// A plain depth-limited AND/OR search: one mating move suffices for the attacker, every legal reply
// must lose for the defender. Positions live above the pool's free pointer as a stack, one per ply.
#include "search/mate_search.h"

#include "driver/output_channel.h"
#include "rules/rules.h"
#include "search/king_safety.h"

int16_t mate_depth = 0;
uint64_t mate_search_nodes = 0;
void (*mate_search_watch)(GameState* state) = nullptr;

namespace {

constexpr int16_t DEEPEST_MATE_DEPTH = 19;

// Builds the position after move at work, as the position tree would, but without its room test.
// nullptr when the node does not fit below end.
uint8_t* build_child(PositionNode* node, const MoveEntry& move, Piece captured, uint8_t* work, uint8_t* end) {
  if (end - work < static_cast<ptrdiff_t>(sizeof(PositionNode))) return nullptr;
  PositionNode* child = reinterpret_cast<PositionNode*>(work);
  child->Letzter_zug_von = move.Von;
  child->Letzter_zug_nach = move.Nach;
  child->Letzter_zug_wird = captured;
  child->Letzter_status = move.Status;
  child->Welcher_zug = NextMoveNumber(node->Welcher_zug);
  return GenerateMoves(node, child, end);
}

}  // namespace

uint8_t such_matt_abs(PositionNode* node, uint8_t* work, uint8_t* end, GameState* state, uint8_t defender,
                      int16_t depth) {
  if (node == nullptr) {
    console_print("\n Nullpointer in such_matt_abs ! \n");
    return 0;
  }
  ++mate_search_nodes;
  if (mate_search_watch != nullptr) mate_search_watch(state);

  Board* board = state->board;
  const bool in_check = side_to_move_in_check(*board, node);
  // Out of check at the horizon: neither mated nor searched further, whether it has moves or not.
  if (depth <= 0 && !in_check) return 0;
  if (!has_legal_move(board, node)) return in_check ? defender : 0;
  if (depth <= 0 || node->Anz_moegl_zuege < 0) return 0;

  uint8_t result = 0;
  for (int16_t i = 0; i < node->Anz_moegl_zuege; ++i) {
    // A stopped search has shown nothing, even where the replies searched so far all lost.
    if (state->abort_flag != 0) return 0;
    if (!is_legal_move(board, node, i)) continue;

    const MoveEntry move = node->Zuege()[i];
    const Piece captured = MakeMove(board, node, i);
    uint8_t* next = build_child(node, move, captured, work, end);
    bool decided;
    if (next == nullptr) {
      console_print("\n Kein freier Speicherplatz in such_matt_abs ! \n");
      // A reply that could not be searched is not shown to lose.
      if (defender) result = 0;
      decided = defender != 0;
    } else {
      result = such_matt_abs(reinterpret_cast<PositionNode*>(work), next, end, state, !defender,
                             static_cast<int16_t>(depth - 1));
      decided = defender ? result == 0 : result == 1;
    }
    UnmakeMove(move.Von, move.Nach, captured, move.Status, board);
    node->Bester_zug = i;
    if (decided) break;
  }
  return result;
}

uint8_t search_mate_by_deepening(PositionNode* node, PoolCursor* cursor, GameState* state) {
  console_print("\n Matt wird gesucht ... bei ");
  console_print(" Abbruch mit Taste (Q) \n ");
  mate_depth = 1;
  uint8_t result = 0;
  state->abort_flag = 0;
  while (state->abort_flag == 0 && result == 0 && mate_depth <= DEEPEST_MATE_DEPTH) {
    console_print(" \n Suchtiefe : %d ", mate_depth);
    state->abort_flag = 0;
    result = such_matt_abs(node, cursor->Pool_free, cursor->Pool_end, state, 0, mate_depth);
    mate_depth = static_cast<int16_t>(mate_depth + 2);
  }
  console_print("\n \n Matt gefunden : %d     bei ", result);
  console_print("\n");
  return result;
}
