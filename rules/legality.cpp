// Legal moves by trial: play each candidate, let the opponent generate, and look for a king capture.
#include "rules/rules.h"

namespace {
constexpr uint8_t kRemovalMark = 0x43;
constexpr Square D1 = 3, E1 = 4, F1 = 5, G1 = 6, C1 = 2, D8 = 59, E8 = 60, F8 = 61, G8 = 62, C8 = 58;
}  // namespace

int CanCaptureKing(PositionNode* node, Board* board) {
  const MoveEntry* moves = node->Zuege();
  for (int i = 0; i < node->Anz_moegl_zuege; ++i) {
    if ((board->squares[moves[i].Nach] & KIND_MASK) == KING) return 1;
  }
  return 0;
}

int IsInCheck(PositionNode* node, PoolCursor* cursor, Board* board) {
  PositionNode* probe = reinterpret_cast<PositionNode*>(cursor->Pool_free);
  uint8_t* end = CreateNode(nullptr, cursor->Pool_free, cursor->Pool_end, 0, 0, 0, ALL_CASTLING,
                            static_cast<int16_t>(-node->Welcher_zug));
  if (end == nullptr) return CanCaptureKing(node, board);
  cursor->Pool_free = end;
  return CanCaptureKing(probe, board);
}

void RemoveMove(PositionNode* node, int16_t index) {
  MoveEntry* moves = node->Zuege();
  moves[index] = moves[node->Anz_moegl_zuege - 1];
  --node->Anz_moegl_zuege;
}

int16_t FilterLegalMoves(PositionNode* node, PoolCursor* cursor, Board* board) {
  uint8_t* saved_free = cursor->Pool_free;
  bool king_side = true, queen_side = true;
  if (IsInCheck(node, cursor, board)) king_side = queen_side = false;

  MoveEntry* moves = node->Zuege();
  const int16_t count = node->Anz_moegl_zuege;
  for (int16_t i = 0; i < count; ++i) {
    const Board saved_board = *board;
    saved_free = cursor->Pool_free;
    PositionNode* child = PlayMove(node, cursor, board, i);
    if (CanCaptureKing(child, board)) {
      const Square from = moves[i].Von, to = moves[i].Nach;
      if ((from == E1 && to == F1) || (from == E8 && to == F8)) king_side = false;
      if ((from == E1 && to == D1) || (from == E8 && to == D8)) queen_side = false;
      moves[i].Nach = kRemovalMark;
    }
    *board = saved_board;
    cursor->Pool_free = saved_free;
    moves[i].Folge_zeiger = 0;
  }

  // Castling is lost when the king stands in check or its first step towards the rook is illegal.
  for (int16_t i = 0; i < count; ++i) {
    MoveEntry& m = moves[i];
    if ((m.Fig & KIND_MASK) != KING || (m.Von != E1 && m.Von != E8)) continue;
    if (!king_side && (m.Nach == G1 || m.Nach == G8)) m.Nach = kRemovalMark;
    if (!queen_side && (m.Nach == C1 || m.Nach == C8)) m.Nach = kRemovalMark;
  }

  for (int16_t i = 0; i < node->Anz_moegl_zuege;) {
    if (moves[i].Nach == kRemovalMark) RemoveMove(node, i);
    else ++i;
  }
  cursor->Pool_free = saved_free;
  return 0;
}
