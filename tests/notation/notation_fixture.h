#pragma once
// Notation works on the interpreter's nodes: base nodes hold only their legal moves.
#include <string>

#include "tests/position_fixture.h"

class NotationTest : public PositionTest {
 protected:
  PositionNode* base(const std::string& fen) { return legal_base(fen); }
  static std::string message() { return game_core.get_message(); }
};

// White pawn on e7 that may promote on e8 or by taking on f8, black pawn on b2 about to promote on a1/b1.
constexpr const char* kPromotions = "5r1k/4P3/8/8/8/8/1p6/R3K3 w - - 0 40";
