#include "search/move_order.h"

#include <cstdlib>
#include <cstring>
#include <utility>

namespace tolvane {
namespace {

// Bands that keep the classes apart whatever the score inside a band.
constexpr int ScoreTableMove = 1 << 30;
constexpr int ScoreGoodTactical = 1 << 28;
constexpr int ScoreKiller = 1 << 27;
constexpr int ScoreCounterMove = ScoreKiller - 1;
constexpr int ScoreLosingTactical = -(1 << 26);
// Most valuable victim first, then least valuable attacker.
constexpr int VictimWeight = 16;
constexpr int AttackerDivisor = 16;
// Capture history reorders captures of one victim, seldom across victims.
constexpr int CaptureHistoryDivisor = 4;

// A bonus (or, negative, a malus) that fades as the score nears History::Max.
int with_bonus(int h, int bonus) { return h + bonus - h * std::abs(bonus) / History::Max; }

}  // namespace

int captured_value(const Position& pos, Move m) {
  return m.kind() == MoveKind::EnPassant ? SeeValue[Pawn] : pos.value_on(m.to());
}

void History::update(Color c, Move m, int bonus) {
  int& h = table_[c][m.from()][m.to()];
  h = with_bonus(h, bonus);
}

void History::clear() { std::memset(table_, 0, sizeof table_); }

void ContinuationHistory::update(Row& row, Piece p, Square to, int bonus) {
  std::int16_t& h = row[p][to];
  h = std::int16_t(with_bonus(h, bonus));
}

void ContinuationHistory::clear() { std::memset(table_, 0, sizeof table_); }

int CaptureHistory::taken(const Position& pos, Move m) {
  if (m.kind() == MoveKind::EnPassant) return Pawn;
  const Piece victim = pos.piece_on(m.to());
  return victim == NoPiece ? NoPieceType : type_of(victim);
}

void CaptureHistory::update(const Position& pos, Move m, int bonus) {
  std::int16_t& h = table_[pos.piece_on(m.from())][m.to()][taken(pos, m)];
  h = std::int16_t(with_bonus(h, bonus));
}

void CaptureHistory::clear() { std::memset(table_, 0, sizeof table_); }

int QuietOrder::score(const Position& pos, Move m) const {
  const Piece p = pos.piece_on(m.from());
  int s = history.score(pos.side_to_move(), m);
  for (const ContinuationHistory::Row* row : before)
    if (row) s += (*row)[p][m.to()];
  return s;
}

OrderedMoves::OrderedMoves(const Position& pos, GenKind kind, Move table_move, const Killers& killers,
                           const QuietOrder& quiet, const CaptureHistory& captures) {
  generate(pos, moves_, kind);
  for (std::size_t i = 0; i < moves_.size(); ++i) {
    const Move m = moves_[i];
    if (m == table_move) {
      scores_[i] = ScoreTableMove;
      classes_[i] = MoveClass::TableMove;
    } else if (pos.is_capture(m) || m.kind() == MoveKind::Promotion) {
      const bool promotion = m.kind() == MoveKind::Promotion;
      const int victim = captured_value(pos, m) + (promotion ? SeeValue[m.promotion()] : 0);
      const int mvv_lva = victim * VictimWeight - SeeValue[type_of(pos.piece_on(m.from()))] / AttackerDivisor;
      const bool good = promotion ? m.promotion() == Queen : pos.see(m) >= 0;
      scores_[i] = (good ? ScoreGoodTactical : ScoreLosingTactical) + mvv_lva +
                   captures.score(pos, m) / CaptureHistoryDivisor;
      classes_[i] = good ? MoveClass::GoodTactical : MoveClass::LosingTactical;
    } else if (m == killers.first || m == killers.second) {
      scores_[i] = ScoreKiller + (m == killers.first);
      classes_[i] = MoveClass::Killer;
    } else if (m == quiet.counter) {
      scores_[i] = ScoreCounterMove;
      classes_[i] = MoveClass::CounterMove;
    } else {
      scores_[i] = quiet.score(pos, m);
      classes_[i] = MoveClass::Quiet;
    }
  }
}

Move OrderedMoves::next(std::size_t index) {
  std::size_t best = index;
  for (std::size_t j = index + 1; j < moves_.size(); ++j)
    if (scores_[j] > scores_[best]) best = j;
  std::swap(moves_[index], moves_[best]);
  std::swap(scores_[index], scores_[best]);
  std::swap(classes_[index], classes_[best]);
  return moves_[index];
}

}  // namespace tolvane
