// Move generation: pseudo-legal moves by bitboards, with legality checked
// per move through Position::is_legal (pins and checks), and the fully legal
// list on top of that.
#pragma once

#include "board/movelist.h"
#include "board/position.h"

namespace tolvane {

enum class GenKind {
  All,       // every pseudo-legal move
  Tactical,  // captures and queen promotions, for the quiescence search
};

void generate(const Position& pos, MoveList& list, GenKind kind);
MoveList legal_moves(const Position& pos);

// Finds the legal move written as "e2e4" or "e7e8q", letters in either case
// ("E2E4"). The promotion letter may be English (q r b n) or German
// (d t l s); a promotion without a letter becomes a queen.
std::optional<Move> parse_move(const Position& pos, std::string_view text);

// Leaf count of the legal move tree to the given depth (bulk-counted at the last ply).
std::uint64_t perft(Position& pos, int depth);

}  // namespace tolvane
