// tolvane-perft FEN DEPTH [--divide]: leaf counts of the rules core's legal move tree.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tools/perft/fen_board.h"
#include "tools/perft/perft.h"

namespace {
NodePool pool;
PoolCursor cursor;

void print_move(const MoveEntry& m) {
  std::printf("%c%c%c%c", 'a' + file_of(m.Von), '1' + rank_of(m.Von), 'a' + file_of(m.Nach),
              '1' + rank_of(m.Nach));
  if (m.Status & PROMOTION_MARK) {
    switch (m.Fig & KIND_MASK) {
      case QUEEN: std::printf("q"); break;
      case ROOK: std::printf("r"); break;
      case BISHOP: std::printf("b"); break;
      default: std::printf("n"); break;
    }
  }
}
}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s FEN DEPTH [--divide]\n", argv[0]);
    return 2;
  }
  const int depth = std::atoi(argv[2]);
  const bool divide = argc > 3 && std::strcmp(argv[3], "--divide") == 0;
  ResetPool(&cursor, &pool);
  Board& board = game_board();
  PositionNode* base = base_node_from_fen(argv[1], &cursor);
  if (base == nullptr) {
    std::fprintf(stderr, "not a position: %s\n", argv[1]);
    return 2;
  }

  const auto start = std::chrono::steady_clock::now();
  uint64_t total = 0;
  if (divide && depth >= 1) {
    FilterLegalMoves(base, &cursor, &board);
    board.Fast_mode = 1;
    for (int16_t i = 0; i < base->Anz_moegl_zuege; ++i) {
      uint8_t* saved_free = cursor.Pool_free;
      PositionNode* child = PlayMove(base, &cursor, &board, i);
      const uint64_t leaves = perft(child, &cursor, &board, depth - 1);
      TakeBack(child, &board);
      cursor.Pool_free = saved_free;
      print_move(base->Zuege()[i]);
      std::printf(": %llu\n", static_cast<unsigned long long>(leaves));
      total += leaves;
    }
  } else {
    total = perft(base, &cursor, &board, depth);
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("perft %d: %llu leaves in %.2f s, %.0f leaves/s\n", depth, static_cast<unsigned long long>(total),
              seconds, seconds > 0 ? static_cast<double>(total) / seconds : 0.0);
  return 0;
}
