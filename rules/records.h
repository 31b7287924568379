#pragma once
// Squares, piece codes, the board and the records that live in the node pool.
#include <cstdint>
#include <cstddef>

using Square = uint8_t;  // rank * 8 + file, a1 = 0 .. h8 = 63
using Piece = uint8_t;   // one kind flag in the low bits, 0x80 for Black

enum : uint8_t {
  KING = 0x01, QUEEN = 0x02, BISHOP = 0x04, KNIGHT = 0x08, ROOK = 0x10, PAWN = 0x20,
  BLACK = 0x80, KIND_MASK = 0x7F,
};

// Castling rights (low nibble of a status byte) and the promotion mark.
enum : uint8_t {
  WHITE_KING_SIDE = 0x01, WHITE_QUEEN_SIDE = 0x02,
  BLACK_KING_SIDE = 0x04, BLACK_QUEEN_SIDE = 0x08,
  ALL_CASTLING = 0x0F, PROMOTION_MARK = 0x80,
};

constexpr Square square_of(int file, int rank) { return static_cast<Square>(rank * 8 + file); }
constexpr int file_of(int square) { return square & 7; }
constexpr int rank_of(int square) { return square >> 3; }

struct Board {
  Piece squares[64];
  uint8_t Whkonig_pos;
  uint8_t Blkonig_pos;
  uint8_t Fast_mode;  // 1 = search mode: children are neither linked nor reused
};
static_assert(sizeof(Board) == 67);

struct MoveEntry {
  uint8_t Von;
  uint8_t Nach;        // 0x43 marks an entry the legality filter removes
  uint8_t Fig;         // piece on Nach after the move (the promoted piece for a promotion)
  uint8_t Status;      // castling rights after the move, 0x80 for a promotion
  uint32_t Folge_zeiger;  // pool offset of the child node, 0 = none
};
static_assert(sizeof(MoveEntry) == 8);

struct PositionNode {
  uint32_t Letzt_zug_zeiger;  // pool offset of the parent node, 0 = base node
  int16_t Welcher_zug;        // > 0 White to move, <= 0 Black; magnitude = full-move number
  uint8_t Letzter_zug_von;
  uint8_t Letzter_zug_nach;
  uint8_t Letzter_zug_wird;   // captured piece, 0 also for en passant
  uint8_t Letzter_status;
  int16_t Bester_zug;
  uint16_t Gute_zuege_bis;
  uint8_t Qualitaet_weiss;
  uint8_t Qualitaet_schw;
  int16_t Stellung;
  int16_t Anz_moegl_zuege;

  // The move list follows the header directly in the pool.
  MoveEntry* Zuege() { return reinterpret_cast<MoveEntry*>(this + 1); }
  const MoveEntry* Zuege() const { return reinterpret_cast<const MoveEntry*>(this + 1); }
};
static_assert(sizeof(PositionNode) == 20);
static_assert(offsetof(PositionNode, Anz_moegl_zuege) == 18);

constexpr uint32_t POOL_STORAGE_BYTES = 6'500'000;

struct NodePool {
  uint32_t start;   // offset of the first storage byte from the record
  uint32_t end;     // offset one past the last storage byte
  uint32_t unused1;
  uint32_t unused2;
  alignas(4) uint8_t storage[POOL_STORAGE_BYTES];
};
static_assert(offsetof(NodePool, storage) == 16);

// The cursor heads GameCore; every operation that may create nodes takes a pointer to it.
struct PoolCursor {
  uint8_t* Pool_end;
  uint8_t* Pool_free;
  NodePool* Pool_record;
};

// Pool offsets are taken from the one pool record the program has (set by ResetPool).
NodePool* active_pool();
PositionNode* node_at(uint32_t offset);          // 0 gives nullptr
uint32_t offset_of(const PositionNode* node);    // nullptr gives 0

void SetInitialPosition();
int16_t NextMoveNumber(int16_t move_number);
uint8_t MaterialValue(Piece piece);

// The one game board of the program.
Board& game_board();
