#pragma once
// An emptied pool on the program's GameCore and a GameState on the game board; positions from FEN.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "driver/game_core.h"
#include "driver/interpreter_state.h"
#include "tools/perft/fen_board.h"

class SearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetPool(&game_core, &game_core.pool);
    board.Fast_mode = 0;
  }

  // The base node as the board gives it: pseudo-legal moves, material counted.
  PositionNode* base(const std::string& fen) {
    PositionNode* node = base_node_from_fen(fen, &game_core);
    EXPECT_NE(node, nullptr) << fen;
    return node;
  }

  // Plays a move given as text and filters the replies, as the interpreter does for a game.
  PositionNode* play(PositionNode* node, const char* move) {
    const int16_t index = game_core.parse_move_text_no_echo(node, move);
    EXPECT_GE(index, 0) << move;
    PositionNode* child = PlayMove(node, &game_core, &board, index);
    FilterLegalMoves(child, &game_core, &board);
    return child;
  }

  // The move of node's list at index as from and to squares, e.g. "a1a8".
  static std::string move_text(const PositionNode* node, int index) {
    if (index < 0 || index >= node->Anz_moegl_zuege) return "none";
    const MoveEntry& m = node->Zuege()[index];
    return {char('a' + file_of(m.Von)), char('1' + rank_of(m.Von)), char('a' + file_of(m.Nach)),
            char('1' + rank_of(m.Nach))};
  }

  static bool same(const Board& a, const Board& b) { return memcmp(&a, &b, sizeof a) == 0; }

  Board& board = game_board();
  GameState state{&game_board(), attacked_by_white, attacked_by_black, 0};
};
