// The position tree: nodes built back to back in the one node pool, linked by pool offsets.
#include <cstdio>
#include <cstdlib>

#include "driver/output_channel.h"
#include "rules/rules.h"

namespace {
NodePool* the_active_pool = nullptr;

uint8_t* record_base() { return reinterpret_cast<uint8_t*>(the_active_pool); }
}  // namespace

NodePool* active_pool() { return the_active_pool; }

PositionNode* node_at(uint32_t offset) {
  return offset == 0 ? nullptr : reinterpret_cast<PositionNode*>(record_base() + offset);
}

uint32_t offset_of(const PositionNode* node) {
  return node == nullptr ? 0 : static_cast<uint32_t>(reinterpret_cast<const uint8_t*>(node) - record_base());
}

void ResetPool(PoolCursor* cursor, NodePool* pool) {
  the_active_pool = pool;
  pool->start = offsetof(NodePool, storage);
  pool->end = offsetof(NodePool, storage) + POOL_STORAGE_BYTES;
  pool->unused1 = 0;
  pool->unused2 = 0;
  cursor->Pool_record = pool;
  cursor->Pool_end = pool->storage + POOL_STORAGE_BYTES;
  cursor->Pool_free = pool->storage;
}

uint8_t* CreateNode(PositionNode* parent, uint8_t* address, uint8_t* limit, Square from, Square to,
                    Piece captured, uint8_t status, int16_t move_number) {
  // A node needs room for its header and a generous move list before generation starts.
  if ((limit - address) / 28 < 28) return nullptr;
  PositionNode* node = reinterpret_cast<PositionNode*>(address);
  node->Letzter_zug_nach = to;
  node->Letzter_zug_von = from;
  node->Letzter_status = status;
  node->Letzter_zug_wird = captured;
  node->Welcher_zug = move_number;
  return GenerateMoves(parent, node, limit);
}

PositionNode* PlayMove(PositionNode* node, PoolCursor* cursor, Board* board, int16_t index) {
  if (node == nullptr) {
    PositionNode* base = reinterpret_cast<PositionNode*>(cursor->Pool_free);
    uint8_t* end = CreateNode(nullptr, cursor->Pool_free, cursor->Pool_end, 0, 0, 0, ALL_CASTLING, 1);
    if (end == nullptr) return nullptr;
    cursor->Pool_free = end;
    return base;
  }

  MoveEntry& entry = node->Zuege()[index];
  const Piece captured = MakeMove(board, node, index);
  const bool fast = board->Fast_mode == 1;
  if (entry.Folge_zeiger != 0 && !fast) return node_at(entry.Folge_zeiger);

  PositionNode* child = reinterpret_cast<PositionNode*>(cursor->Pool_free);
  uint8_t* end = CreateNode(node, cursor->Pool_free, cursor->Pool_end, entry.Von, entry.Nach, captured,
                            entry.Status, NextMoveNumber(node->Welcher_zug));
  if (end == nullptr) {
    UnmakeMove(entry.Von, entry.Nach, captured, entry.Status, board);
    static const char kFull[] = "\n Kein freier Speicherplatz ! \n";
    static const char kAbort[] = "Programm-Abbruch";
    console_print("%s", kFull);
    console_print("%s", kAbort);
    // The console channel usually discards its text; a user should still learn why the program ended.
    std::fprintf(stderr, "%s%s\n", kFull, kAbort);
    std::exit(1);
  }
  child->Qualitaet_weiss = node->Qualitaet_weiss;
  child->Qualitaet_schw = node->Qualitaet_schw;
  SubtractMaterial(child, captured);
  if (!fast) entry.Folge_zeiger = offset_of(child);
  cursor->Pool_free = end;
  return child;
}

PositionNode* TakeBack(PositionNode* node, Board* board) {
  if (node->Letzt_zug_zeiger == 0) {
    console_print(" Basis-Stellung : Keine weitere Z\x81ge \n");
    return node;
  }
  UnmakeMove(node->Letzter_zug_von, node->Letzter_zug_nach, node->Letzter_zug_wird, node->Letzter_status,
             board);
  return node_at(node->Letzt_zug_zeiger);
}

PositionNode* NewBaseFromNode(PositionNode* node, PoolCursor* cursor) {
  // Copied first: node may lie where the new base is about to be built.
  const PositionNode header = *node;
  PositionNode* base = reinterpret_cast<PositionNode*>(cursor->Pool_free);
  uint8_t* end = CreateNode(nullptr, cursor->Pool_free, cursor->Pool_end, header.Letzter_zug_von,
                            header.Letzter_zug_nach, header.Letzter_zug_wird, header.Letzter_status,
                            header.Welcher_zug);
  if (end == nullptr) return node;
  cursor->Pool_free = end;
  return base;
}

void SubtractMaterial(PositionNode* node, Piece piece) {
  if (piece == 0) return;
  uint8_t& count = (piece & BLACK) ? node->Qualitaet_schw : node->Qualitaet_weiss;
  count = static_cast<uint8_t>(count - MaterialValue(piece));
}

void RecountMaterial(PositionNode* node, Board* board) {
  uint8_t white = 0, black = 0;
  for (Piece piece : board->squares) {
    if (piece == 0) continue;
    uint8_t& count = (piece & BLACK) ? black : white;
    count = static_cast<uint8_t>(count + MaterialValue(piece));
  }
  node->Qualitaet_weiss = white;
  node->Qualitaet_schw = black;
}
