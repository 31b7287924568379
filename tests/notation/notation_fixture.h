#pragma once
// The program's GameCore with an emptied pool; positions are set up from FEN with legal moves only.
#include <gtest/gtest.h>

#include <string>

#include "driver/game_core.h"
#include "tools/perft/fen_board.h"

class NotationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetPool(&game_core, &game_core.pool);
    game_core.clear_message();
    game_board().Fast_mode = 0;
  }

  PositionNode* base(const std::string& fen) {
    PositionNode* node = base_node_from_fen(fen, &game_core);
    EXPECT_NE(node, nullptr) << fen;
    FilterLegalMoves(node, &game_core, &game_board());
    return node;
  }

  // Plays a move given as text and filters the replies, as the interpreter does.
  PositionNode* play(PositionNode* node, const char* move) {
    const int16_t index = game_core.parse_move_text_no_echo(node, move);
    EXPECT_GE(index, 0) << move;
    PositionNode* child = PlayMove(node, &game_core, &game_board(), index);
    FilterLegalMoves(child, &game_core, &game_board());
    return child;
  }

  static std::string message() { return game_core.get_message(); }

  GameCore& core = game_core;
};

constexpr const char* kStart = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
// White pawn on e7 that may promote on e8 or by taking on f8, black pawn on b2 about to promote on a1/b1.
constexpr const char* kPromotions = "5r1k/4P3/8/8/8/8/1p6/R3K3 w - - 0 40";
