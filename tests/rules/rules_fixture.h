#pragma once
// A fresh pool and the game board for each test; positions are set up from FEN.
#include <gtest/gtest.h>

#include <string>

#include "tools/perft/fen_board.h"

class RulesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetPool(&cursor, &pool);
    board.Fast_mode = 0;
  }

  PositionNode* base(const std::string& fen) {
    PositionNode* node = base_node_from_fen(fen, &cursor);
    EXPECT_NE(node, nullptr) << fen;
    return node;
  }

  // Index of the entry from-to (and promoted piece, when given) in node's list, or -1.
  static int find(const PositionNode* node, const char* move, Piece promoted = 0) {
    const Square from = square(move), to = square(move + 2);
    for (int i = 0; i < node->Anz_moegl_zuege; ++i) {
      const MoveEntry& m = node->Zuege()[i];
      if (m.Von == from && m.Nach == to && (promoted == 0 || m.Fig == promoted)) return i;
    }
    return -1;
  }

  static Square square(const char* text) { return square_of(text[0] - 'a', text[1] - '1'); }
  Piece at(const char* text) const { return board.squares[square(text)]; }

  static inline NodePool pool;
  PoolCursor cursor{};
  Board& board = game_board();
};

constexpr const char* kStart = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
