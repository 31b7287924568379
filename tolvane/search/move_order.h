// Move ordering inside the search: the table move first, then winning
// captures and queen promotions by victim and attacker, the two killers, the
// counter move, quiet moves by their history, and losing captures last.
#pragma once

#include <array>
#include <cstdint>

#include "board/movegen.h"
#include "board/movelist.h"
#include "board/position.h"

namespace tolvane {

// What a move was taken for when it was ordered; the search prunes and
// reduces by it.
enum class MoveClass : std::uint8_t { TableMove, GoodTactical, Killer, CounterMove, Quiet, LosingTactical };

// The value a capture takes off the board (a pawn for en passant).
int captured_value(const Position& pos, Move m);

// How often quiet moves caused a cut-off, per side, origin and target square.
class History {
 public:
  static constexpr int Max = 16384;  // scores stay within +-Max

  int score(Color c, Move m) const { return table_[c][m.from()][m.to()]; }
  // A bonus (or, negative, a malus) that fades as the score nears Max.
  void update(Color c, Move m, int bonus);
  void clear();

 private:
  int table_[2][64][64] = {};
};

// How often a quiet move caused a cut-off in reply to an earlier move, by the
// moving piece and target square of both. Scores keep History's bounds.
class ContinuationHistory {
 public:
  // The scores of every (piece, target) that followed one earlier move.
  using Row = std::array<std::array<std::int16_t, 64>, NoPiece>;

  Row& row(Piece p, Square to) { return table_[p][to]; }
  const Row& row(Piece p, Square to) const { return table_[p][to]; }
  static void update(Row& row, Piece p, Square to, int bonus);
  void clear();

 private:
  Row table_[NoPiece][64] = {};
};

// How often a capture or promotion caused a cut-off, by the moving piece,
// its target and the piece it takes. Scores keep History's bounds.
class CaptureHistory {
 public:
  int score(const Position& pos, Move m) const { return table_[pos.piece_on(m.from())][m.to()][taken(pos, m)]; }
  void update(const Position& pos, Move m, int bonus);
  void clear();

 private:
  // The type taken, NoPieceType for a promotion that takes nothing.
  static int taken(const Position& pos, Move m);
  std::int16_t table_[NoPiece][64][NoPieceType + 1] = {};
};

// What orders a node's quiet moves: the history, the continuation rows of
// the moves one and two plies before (none at the root or after a null
// move), and the quiet move that last refuted the move before.
struct QuietOrder {
  explicit QuietOrder(const History& h) : history(h) {}

  const History& history;
  const ContinuationHistory::Row* before[2] = {};
  Move counter;

  int score(const Position& pos, Move m) const;
};

// The two latest quiet moves that caused a cut-off at one ply.
struct Killers {
  Move first, second;
  void add(Move m) {
    if (first == m) return;
    second = first;
    first = m;
  }
};

// The moves of one node, handed out best first by selection.
class OrderedMoves {
 public:
  // Generates the node's moves of the given kind and scores them.
  OrderedMoves(const Position& pos, GenKind kind, Move table_move, const Killers& killers, const QuietOrder& quiet,
               const CaptureHistory& captures);

  std::size_t size() const { return moves_.size(); }
  // Brings the best of the moves from `index` on to `index` and returns it.
  Move next(std::size_t index);
  // Of the move at `index`, once next(index) has handed it out.
  MoveClass class_of(std::size_t index) const { return classes_[index]; }
  int score(std::size_t index) const { return scores_[index]; }

 private:
  MoveList moves_;
  int scores_[MoveList::Capacity];
  MoveClass classes_[MoveList::Capacity];
};

}  // namespace tolvane
