#include "tools/perft/perft.h"

namespace {

uint64_t count_leaves(PositionNode* node, PoolCursor* cursor, Board* board, int depth) {
  FilterLegalMoves(node, cursor, board);
  if (depth == 1) return static_cast<uint64_t>(node->Anz_moegl_zuege);
  uint64_t leaves = 0;
  for (int16_t i = 0; i < node->Anz_moegl_zuege; ++i) {
    uint8_t* saved_free = cursor->Pool_free;
    PositionNode* child = PlayMove(node, cursor, board, i);
    leaves += count_leaves(child, cursor, board, depth - 1);
    TakeBack(child, board);
    cursor->Pool_free = saved_free;
  }
  return leaves;
}

}  // namespace

uint64_t perft(PositionNode* node, PoolCursor* cursor, Board* board, int depth) {
  if (depth <= 0) return 1;
  const uint8_t saved_mode = board->Fast_mode;
  board->Fast_mode = 1;
  const uint64_t leaves = count_leaves(node, cursor, board, depth);
  board->Fast_mode = saved_mode;
  return leaves;
}
