#pragma once
// The program's GameCore with an emptied pool and the game board; positions are set up from FEN.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "driver/game_core.h"
#include "driver/interpreter_state.h"
#include "tools/perft/fen_board.h"

inline constexpr const char* kStart = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

class PositionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetPool(&core, &core.pool);
    core.clear_message();
    board.Fast_mode = 0;
  }

  // The base node as the board gives it: pseudo-legal moves, material counted.
  PositionNode* base(const std::string& fen) {
    PositionNode* node = base_node_from_fen(fen, &core);
    EXPECT_NE(node, nullptr) << fen;
    return node;
  }
  // The base node of the initial position, built as a new game builds it.
  PositionNode* initial_root() {
    SetInitialPosition();
    return PlayMove(nullptr, &core, &board, 0);
  }
  // The base node with only its legal moves, as the interpreter keeps its nodes.
  PositionNode* legal_base(const std::string& fen) {
    PositionNode* node = base(fen);
    if (node != nullptr) FilterLegalMoves(node, &core, &board);
    return node;
  }

  // Plays a move given as text and filters the replies, as the interpreter does for a game.
  PositionNode* play(PositionNode* node, const char* move) {
    const int16_t index = core.parse_move_text_no_echo(node, move);
    EXPECT_GE(index, 0) << move;
    PositionNode* child = PlayMove(node, &core, &board, index);
    FilterLegalMoves(child, &core, &board);
    return child;
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

  // A list entry as from and to squares, e.g. "a1a8"; "none" for an index outside the list.
  static std::string move_text(const PositionNode* node, int index) {
    if (index < 0 || index >= node->Anz_moegl_zuege) return "none";
    const MoveEntry& m = node->Zuege()[index];
    return {char('a' + file_of(m.Von)), char('1' + rank_of(m.Von)), char('a' + file_of(m.Nach)),
            char('1' + rank_of(m.Nach))};
  }
  static std::vector<std::string> moves_of(const PositionNode* node) {
    std::vector<std::string> list;
    for (int i = 0; i < node->Anz_moegl_zuege; ++i) list.push_back(move_text(node, i));
    return list;
  }

  static bool same_board(const Board& a, const Board& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

  GameCore& core = game_core;
  Board& board = game_board();
  GameState state{&game_board(), attacked_by_white, attacked_by_black, 0};
};
