#include "search/search.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <random>
#include <thread>

#include "board/movegen.h"

namespace tolvane {
namespace {

using SteadyClock = std::chrono::steady_clock;

struct Reductions {
  int table[64][64];
  Reductions() {
    for (int d = 0; d < 64; ++d)
      for (int m = 0; m < 64; ++m)
        table[d][m] = d && m ? int(0.8 + std::log(d) * std::log(m) / 2.3) : 0;
  }
};
const Reductions& reductions() {
  static const Reductions r;
  return r;
}

constexpr int ScoreTTMove = 1 << 30;
constexpr int ScoreGoodCapture = 1 << 28;
constexpr int ScoreKiller = 1 << 27;
constexpr int ScoreBadCapture = -(1 << 26);
constexpr int HistoryMax = 16384;

}  // namespace

struct Searcher::Worker {
  explicit Worker(TranspositionTable& table) : tt(table) {}

  TranspositionTable& tt;
  PawnCache pawns;
  Position pos;
  SearchLimits limits;
  SearchControl* control = nullptr;
  TimeBudget budget;
  SteadyClock::time_point start;
  std::uint64_t nodes = 0;
  int seldepth = 0;
  bool stopped = false;

  int history[2][64][64] = {};
  Move killers[MaxPly + 2][2] = {};
  Move pv[MaxPly + 2][MaxPly + 2] = {};
  int pv_length[MaxPly + 2] = {};
  int static_eval[MaxPly + 2] = {};

  void clear() {
    std::memset(history, 0, sizeof history);
    std::memset(killers, 0, sizeof killers);
  }

  std::int64_t elapsed_ms() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(SteadyClock::now() - start).count();
  }

  bool time_limits_apply() {
    if (limits.infinite) return false;
    if (!limits.ponder) return true;
    if (!control->ponderhit.load()) return false;
    if (!pondering_over) {
      // The clock for this move starts when the expected move is played.
      pondering_over = true;
      start = SteadyClock::now();
    }
    return true;
  }
  bool pondering_over = false;

  void check_stop() {
    if (control->stop.load()) {
      stopped = true;
      return;
    }
    if (limits.nodes && nodes >= limits.nodes) stopped = true;
    if (time_limits_apply() && budget.hard_ms >= 0 && elapsed_ms() >= budget.hard_ms) stopped = true;
  }

  void update_history(Color c, Move m, int bonus) {
    int& h = history[c][m.from()][m.to()];
    h += bonus - h * std::abs(bonus) / HistoryMax;
  }

  // Orders the moves: table move, winning captures, killers, quiet moves by
  // history, losing captures last.
  void score_moves(const MoveList& moves, int* scores, Move tt_move, int ply) {
    const Color us = pos.side_to_move();
    for (std::size_t i = 0; i < moves.size(); ++i) {
      Move m = moves[i];
      if (m == tt_move) {
        scores[i] = ScoreTTMove;
      } else if (pos.is_capture(m) || m.kind() == MoveKind::Promotion) {
        int victim = m.kind() == MoveKind::EnPassant ? SeeValue[Pawn] : pos.value_on(m.to());
        if (m.kind() == MoveKind::Promotion) victim += SeeValue[m.promotion()];
        int mvv_lva = victim * 16 - SeeValue[type_of(pos.piece_on(m.from()))] / 16;
        bool good = m.kind() == MoveKind::Promotion ? m.promotion() == Queen : pos.see(m) >= 0;
        scores[i] = (good ? ScoreGoodCapture : ScoreBadCapture) + mvv_lva;
      } else if (m == killers[ply][0]) {
        scores[i] = ScoreKiller + 1;
      } else if (m == killers[ply][1]) {
        scores[i] = ScoreKiller;
      } else {
        scores[i] = history[us][m.from()][m.to()];
      }
    }
  }

  static Move pick_next(MoveList& moves, int* scores, std::size_t index) {
    std::size_t best = index;
    for (std::size_t j = index + 1; j < moves.size(); ++j)
      if (scores[j] > scores[best]) best = j;
    std::swap(moves[index], moves[best]);
    std::swap(scores[index], scores[best]);
    return moves[index];
  }

  bool is_draw(int ply) const {
    if (pos.insufficient_material()) return true;
    if (pos.halfmove_clock() >= 100 && ply > 0) return true;
    return pos.repeated();
  }

  int quiescence(int alpha, int beta, int ply) {
    if ((++nodes & 2047) == 0) check_stop();
    if (stopped) return 0;
    seldepth = std::max(seldepth, ply);
    if (is_draw(ply)) return 0;
    if (ply >= MaxPly) return evaluate(pos, pawns);

    const bool in_check = pos.in_check();
    int best = -Infinity;
    int stand_pat = 0;
    if (!in_check) {
      stand_pat = evaluate(pos, pawns);
      if (stand_pat >= beta) return stand_pat;
      alpha = std::max(alpha, stand_pat);
      best = stand_pat;
    }
    MoveList moves;
    generate(pos, moves, in_check ? GenKind::All : GenKind::Tactical);
    int scores[MoveList::Capacity];
    score_moves(moves, scores, Move::none(), ply);
    int legal = 0;
    for (std::size_t i = 0; i < moves.size(); ++i) {
      Move m = pick_next(moves, scores, i);
      if (!pos.is_legal(m)) continue;
      ++legal;
      if (!in_check) {
        if (scores[i] < ScoreGoodCapture - (1 << 20)) continue;  // losing capture
        // Even winning the piece outright cannot lift the score to alpha.
        int gain = m.kind() == MoveKind::EnPassant ? SeeValue[Pawn] : pos.value_on(m.to());
        if (m.kind() != MoveKind::Promotion && stand_pat + gain + 200 < alpha) continue;
      }
      pos.make(m);
      int score = -quiescence(-beta, -alpha, ply + 1);
      pos.unmake(m);
      if (stopped) return 0;
      if (score > best) {
        best = score;
        if (score > alpha) {
          alpha = score;
          if (score >= beta) break;
        }
      }
    }
    if (in_check && legal == 0) return -MateScore + ply;
    return best;
  }

  int search(int alpha, int beta, int depth, int ply, bool allow_null) {
    const bool pv_node = beta - alpha > 1;
    pv_length[ply] = ply;
    if (depth <= 0) return quiescence(alpha, beta, ply);
    if ((++nodes & 2047) == 0) check_stop();
    if (stopped) return 0;
    seldepth = std::max(seldepth, ply);

    if (ply > 0) {
      if (is_draw(ply)) return 0;
      if (ply >= MaxPly) return evaluate(pos, pawns);
      // Mate distance: no line from here can beat a mate already found nearer the root.
      alpha = std::max(alpha, -MateScore + ply);
      beta = std::min(beta, MateScore - ply - 1);
      if (alpha >= beta) return alpha;
    }

    const Key key = pos.key();
    const TTEntry* entry = tt.probe(key);
    Move tt_move = entry ? Move::from_bits(entry->move) : Move::none();
    if (entry && !pv_node && entry->depth >= depth) {
      int s = score_from_table(entry->score, ply);
      Bound b = entry->bound();
      if (b == Bound::Exact || (b == Bound::Lower && s >= beta) || (b == Bound::Upper && s <= alpha))
        return s;
    }

    const bool in_check = pos.in_check();
    const Color us = pos.side_to_move();
    int eval = -Infinity;
    if (!in_check) {
      eval = entry ? entry->eval : evaluate(pos, pawns);
      if (entry) {
        int s = score_from_table(entry->score, ply);
        if ((entry->bound() == Bound::Lower && s > eval) || (entry->bound() == Bound::Upper && s < eval))
          eval = s;
      }
    }
    static_eval[ply] = in_check ? -Infinity : eval;
    const bool improving = !in_check && ply >= 2 && static_eval[ply] > static_eval[ply - 2];

    if (!pv_node && !in_check) {
      // Reverse futility: far above beta with little depth left.
      if (depth <= 7 && eval - (90 - 20 * improving) * depth >= beta && std::abs(beta) < MateBound)
        return eval;
      // Razoring: hopeless at low depth unless a capture saves it.
      if (depth <= 2 && eval + 250 * depth < alpha) {
        int s = quiescence(alpha, beta, ply);
        if (s < alpha) return s;
      }
      // Null move: even passing keeps us above beta.
      if (allow_null && depth >= 3 && eval >= beta && non_pawn_material(pos, us) > 0) {
        int r = 3 + depth / 4 + std::min((eval - beta) / 200, 2);
        pos.make_null();
        int s = -search(-beta, -beta + 1, depth - 1 - r, ply + 1, false);
        pos.unmake_null();
        if (stopped) return 0;
        if (s >= beta) return s >= MateBound ? beta : s;
      }
    }
    // Without a table move a deep node is searched a little shallower.
    if (depth >= 6 && tt_move.is_none()) --depth;

    MoveList moves;
    generate(pos, moves, GenKind::All);
    int scores[MoveList::Capacity];
    score_moves(moves, scores, tt_move, ply);

    int best = -Infinity;
    Move best_move;
    int legal = 0;
    Move quiets_tried[64];
    int quiet_count = 0;
    const int old_alpha = alpha;

    for (std::size_t i = 0; i < moves.size(); ++i) {
      Move m = pick_next(moves, scores, i);
      if (!pos.is_legal(m)) continue;
      const bool quiet = !pos.is_capture(m) && m.kind() != MoveKind::Promotion;

      if (ply > 0 && legal > 0 && best > -MateBound && !quiet && depth <= 5 &&
          scores[i] < ScoreGoodCapture && pos.see(m) < -120 * depth)
        continue;

      pos.make(m);
      ++legal;
      const bool gives_check = pos.in_check();
      if (ply > 0 && quiet && !gives_check && !in_check && legal > 1 && depth <= 6 && best > -MateBound) {
        // Late quiet moves at low depth, and quiet moves that cannot lift a
        // hopeless score, are rarely worth a look.
        if (quiet_count >= 3 + depth * depth * (improving ? 2 : 1) || eval + 100 + 90 * depth <= alpha) {
          pos.unmake(m);
          if (quiet_count < 64) quiets_tried[quiet_count++] = m;
          continue;
        }
      }
      int extension = gives_check && ply < 2 * depth + 8 ? 1 : 0;
      int new_depth = depth - 1 + extension;
      int score;
      if (legal == 1) {
        score = -search(-beta, -alpha, new_depth, ply + 1, true);
      } else {
        int r = 0;
        if (depth >= 3 && quiet && !in_check) {
          r = reductions().table[std::min(depth, 63)][std::min(legal, 63)];
          r += !pv_node;
          r -= scores[i] >= ScoreKiller;
          r -= std::clamp(scores[i] / 5000, -1, 2);
          r -= gives_check;
          r = std::clamp(r, 0, new_depth - 1);
        }
        score = -search(-alpha - 1, -alpha, new_depth - r, ply + 1, true);
        if (r > 0 && score > alpha) score = -search(-alpha - 1, -alpha, new_depth, ply + 1, true);
        if (pv_node && score > alpha && score < beta) score = -search(-beta, -alpha, new_depth, ply + 1, true);
      }
      pos.unmake(m);
      if (stopped) return 0;

      if (score > best) {
        best = score;
        if (score > alpha) {
          alpha = score;
          best_move = m;
          pv[ply][ply] = m;
          for (int j = ply + 1; j < pv_length[ply + 1]; ++j) pv[ply][j] = pv[ply + 1][j];
          pv_length[ply] = std::max(pv_length[ply + 1], ply + 1);
          if (score >= beta) {
            if (quiet) {
              if (killers[ply][0] != m) {
                killers[ply][1] = killers[ply][0];
                killers[ply][0] = m;
              }
              int bonus = std::min(depth * depth * 8, 2000);
              update_history(us, m, bonus);
              for (int q = 0; q < quiet_count; ++q) update_history(us, quiets_tried[q], -bonus);
            }
            break;
          }
        }
      }
      if (quiet && quiet_count < 64) quiets_tried[quiet_count++] = m;
    }

    if (legal == 0) return in_check ? -MateScore + ply : 0;
    Bound bound = best >= beta ? Bound::Lower : alpha > old_alpha ? Bound::Exact : Bound::Upper;
    tt.store(key, best_move, score_to_table(best, ply), in_check ? 0 : static_eval[ply], depth, bound);
    return best;
  }

  // Exact scores of every root move at the given depth, for the weaker levels' choice.
  std::vector<std::pair<int, Move>> score_root_moves(const MoveList& root_moves, int depth) {
    std::vector<std::pair<int, Move>> scored;
    for (Move m : root_moves) {
      pos.make(m);
      int s = -search(-Infinity, Infinity, depth - 1, 1, true);
      pos.unmake(m);
      if (stopped) break;
      scored.push_back({s, m});
    }
    std::stable_sort(scored.begin(), scored.end(), [](auto& a, auto& b) { return a.first > b.first; });
    return scored;
  }
};

Searcher::Searcher(std::size_t hash_mb) : tt_(hash_mb), worker_(std::make_unique<Worker>(tt_)) {}
Searcher::~Searcher() = default;

void Searcher::clear() {
  tt_.clear();
  worker_->clear();
}

void Searcher::resize(std::size_t hash_mb) { tt_.resize(hash_mb); }

Move Searcher::table_move(const Position& pos) const {
  const TTEntry* entry = tt_.probe(pos.key());
  if (!entry) return Move::none();
  Move m = Move::from_bits(entry->move);
  return legal_moves(pos).contains(m) ? m : Move::none();
}

SearchResult Searcher::think(const Position& root, const SearchLimits& limits, SearchControl& control) {
  Worker& w = *worker_;
  w.pos = root;
  w.limits = limits;
  w.control = &control;
  w.budget = plan_time(limits.clock);
  w.start = SteadyClock::now();
  w.nodes = 0;
  w.stopped = false;
  w.pondering_over = false;
  std::memset(w.killers, 0, sizeof w.killers);
  for (auto& side : w.history)
    for (auto& from : side)
      for (int& h : from) h /= 4;
  tt_.new_search();

  SearchResult result;
  MoveList root_moves = legal_moves(root);
  if (root_moves.empty()) return result;
  result.best = root_moves[0];

  const int max_depth = limits.depth > 0 ? std::min(limits.depth, MaxPly - 1) : MaxPly - 1;
  int score = 0;
  std::vector<Move> best_line;
  for (int depth = 1; depth <= max_depth; ++depth) {
    w.seldepth = 0;
    int delta = 18;
    int alpha = -Infinity, beta = Infinity;
    if (depth >= 5 && std::abs(score) < MateBound) {
      alpha = std::max(score - delta, -Infinity);
      beta = std::min(score + delta, Infinity);
    }
    int s = 0;
    for (;;) {
      s = w.search(alpha, beta, depth, 0, false);
      if (w.stopped) break;
      if (s <= alpha) {
        beta = (alpha + beta) / 2;
        alpha = std::max(s - delta, -Infinity);
      } else if (s >= beta) {
        beta = std::min(s + delta, Infinity);
      } else {
        break;
      }
      delta += delta;
      if (delta > 1000) alpha = -Infinity, beta = Infinity;
    }
    // An interrupted iteration still counts when it already found a better first move.
    if (w.stopped && (w.pv_length[0] == 0 || depth == 1)) break;
    if (w.pv_length[0] > 0) {
      best_line.assign(w.pv[0], w.pv[0] + w.pv_length[0]);
      score = s;
    }
    if (w.stopped) break;
    result.depth = depth;
    if (control.on_info) {
      SearchInfo info{depth, w.seldepth, score, w.nodes, w.elapsed_ms(), best_line};
      control.on_info(info);
    }
    // Enough time used that the next iteration would not finish.
    if (w.time_limits_apply() && w.budget.soft_ms >= 0 && w.elapsed_ms() >= w.budget.soft_ms * 6 / 10) break;
    if (root_moves.size() == 1 && w.time_limits_apply() && w.budget.soft_ms >= 0 && depth >= 6) break;
    if (std::abs(score) >= MateBound && depth > std::abs(mate_distance_plies(score)) + 2 && w.time_limits_apply()) break;
  }

  if (!best_line.empty()) result.best = best_line[0];
  if (best_line.size() > 1) result.ponder = best_line[1];
  result.score = score;

  // A weaker level may slip to a nearly-as-good move.
  const Weakness& weak = limits.weakness;
  if (weak.mistake_percent > 0 && root_moves.size() > 1 && !w.stopped) {
    std::mt19937_64 rng(weak.seed);
    if (int(rng() % 100) < weak.mistake_percent) {
      auto scored = w.score_root_moves(root_moves, std::max(1, result.depth));
      if (!w.stopped && !scored.empty() && std::abs(scored[0].first) < MateBound) {
        std::vector<std::pair<int, Move>> near;
        for (auto& [s, m] : scored)
          if (s >= scored[0].first - weak.mistake_margin_cp && s > -MateBound) near.push_back({s, m});
        // Weight each candidate by how close it comes to the best.
        std::vector<double> weights;
        for (auto& [s, m] : near) weights.push_back(1.0 + weak.mistake_margin_cp - (scored[0].first - s));
        std::discrete_distribution<std::size_t> pick(weights.begin(), weights.end());
        auto chosen = near[pick(rng)];
        if (chosen.second != result.best) {
          result.best = chosen.second;
          result.ponder = Move::none();
          result.score = chosen.first;
        }
      }
    }
  }

  // A ponder or infinite search must not answer before it is released.
  while ((limits.infinite || (limits.ponder && !control.ponderhit.load())) && !control.stop.load())
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  result.nodes = w.nodes;
  return result;
}

}  // namespace tolvane
