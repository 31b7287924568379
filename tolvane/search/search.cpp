#include "search/search.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <optional>
#include <random>
#include <thread>

#include "board/movegen.h"
#include "search/correction.h"
#include "search/move_order.h"

namespace tolvane {
namespace {

using SteadyClock = std::chrono::steady_clock;

// The clock and the stop signal are looked at once per this many nodes (a power of two).
constexpr std::uint64_t StopCheckInterval = 2048;

// Quiescence: a capture is passed over when even winning the piece outright
// leaves the score this far below alpha.
constexpr int DeltaMargin = 200;

// Reverse futility: a node this far above beta per ply of depth left stands.
constexpr int ReverseFutilityMaxDepth = 7;
constexpr int ReverseFutilityMargin = 90;
constexpr int ReverseFutilityImprovingCut = 20;

// Razoring: a node this far below alpha per ply is left to the quiescence search.
constexpr int RazorMaxDepth = 2;
constexpr int RazorMargin = 250;

// Null move: the reduction grows with depth and with the lead over beta.
constexpr int NullMoveMinDepth = 3;
constexpr int NullMoveBaseReduction = 3;
constexpr int NullMoveDepthDivisor = 4;
constexpr int NullMoveLeadDivisor = 200;
constexpr int NullMoveMaxLeadReduction = 2;

// Without a table move a node this deep is searched one ply shallower.
constexpr int NoTableMoveMinDepth = 6;

// Losing captures at low depth are skipped when they lose this much per ply.
constexpr int SeePruneMaxDepth = 5;
constexpr int SeePruneMargin = 120;

// Late quiet moves at low depth: skipped after a count that grows with the
// depth squared, or when even this margin cannot lift the score to alpha.
constexpr int LateMoveMaxDepth = 6;
constexpr int LateMoveBaseCount = 3;
constexpr int QuietFutilityBase = 100;
constexpr int QuietFutilityMargin = 90;
// At low depth a quiet move is skipped when its history (the sum of the
// butterfly and both continuation scores) is this bad per ply of depth left.
constexpr int HistoryPruneMaxDepth = 4;
constexpr int HistoryPruneMargin = 1200;

// A check is extended while the line stays within twice the depth plus this.
constexpr int CheckExtensionSlack = 8;

// Singular extension: a table move whose stored lower bound no other move
// comes within this margin per ply of, searched at half the depth, is extended.
constexpr int SingularMinDepth = 7;
constexpr int SingularTableDepthSlack = 3;
constexpr int SingularMarginPerPly = 2;
// Outside the principal variation a table move that stands far alone is
// searched two plies deeper, at most this many times on one line.
constexpr int DoubleExtensionMargin = 20;
constexpr int MaxDoubleExtensions = 6;

// Late move reductions: a logarithmic table, less for moves with a good
// history (the sum of the butterfly and both continuation scores).
constexpr int LmrMinDepth = 3;
constexpr double LmrBase = 0.8;
constexpr double LmrDivisor = 2.3;
constexpr int LmrTableSize = 64;
constexpr int LmrHistoryDivisor = 8000;
constexpr int LmrMinHistoryRelief = -1;
constexpr int LmrMaxHistoryRelief = 2;

// History bonus of a cut-off, and how many quiet moves and captures tried
// before it get the malus; the same for all history tables.
constexpr int HistoryBonusPerDepthSquared = 16;
constexpr int HistoryBonusPerDepth = 32;
constexpr int HistoryBonusMax = 1600;
constexpr int MovesRemembered = 64;

// Aspiration windows around the last iteration's score.
constexpr int AspirationMinDepth = 5;
constexpr int AspirationDelta = 18;
constexpr int AspirationGiveUp = 1000;

// Iterative deepening stops once this share of the soft budget is used (the
// next iteration would not finish; with a clock, scaled by how unsettled the
// search is), with a single legal move at this depth, and this many plies past a mate found.
constexpr int SoftBudgetPercent = 60;
constexpr int SingleMoveDepth = 6;
constexpr int MateDepthSlack = 2;

struct Reductions {
  int table[LmrTableSize][LmrTableSize];
  Reductions() {
    for (int d = 0; d < LmrTableSize; ++d)
      for (int m = 0; m < LmrTableSize; ++m)
        table[d][m] = d && m ? int(LmrBase + std::log(d) * std::log(m) / LmrDivisor) : 0;
  }
  int at(int depth, int move_number) const {
    return table[std::min(depth, LmrTableSize - 1)][std::min(move_number, LmrTableSize - 1)];
  }
};
const Reductions& reductions() {
  static const Reductions r;
  return r;
}

bool is_quiet(const Position& pos, Move m) { return !pos.is_capture(m) && m.kind() != MoveKind::Promotion; }

// A root move with its exact score, for the weaker levels' choice.
using ScoredMove = std::pair<int, Move>;

}  // namespace

struct Searcher::Worker {
  Worker(TranspositionTable& table, Searcher& owner) : tt(table), searcher(owner) {}

  // What one node of the main search knows while it walks its moves.
  struct Node {
    Node(int a, int b, int d, int p, Move ex)
        : alpha(a), beta(b), depth(d), ply(p), pv_node(b - a > 1), excluded(ex) {}

    int alpha, beta, depth, ply;
    const bool pv_node;
    const Move excluded;  // the table move, left out to see whether it stands alone
    bool in_check = false;
    bool improving = false;
    int raw_eval = 0;  // the evaluation as it is, uncorrected and unsharpened
    int eval = -Infinity;
    std::optional<TTEntry> entry;
    Move tt_move;
    int best = -Infinity;
    Move best_move;
    int legal = 0;
    Move quiets_tried[MovesRemembered];
    int quiet_count = 0;
    Move tacticals_tried[MovesRemembered];
    int tactical_count = 0;

    void remember_quiet(Move m) {
      if (quiet_count < MovesRemembered) quiets_tried[quiet_count++] = m;
    }
    void remember_tactical(Move m) {
      if (tactical_count < MovesRemembered) tacticals_tried[tactical_count++] = m;
    }
  };

  TranspositionTable& tt;
  Searcher& searcher;
  bool helper = false;  // beside the caller's thread: searches until told to stop, reports nothing
  PawnCache pawns;
  Position pos;
  SearchLimits limits;
  SearchControl* control = nullptr;
  TimeBudget budget;
  SteadyClock::time_point start;
  std::atomic<std::uint64_t> nodes{0};  // written by this worker only, read by the caller's
  int seldepth = 0;
  int root_score = 0;  // of the root's best move so far in the iteration under way
  // Nodes spent under each root move in the iteration under way, by its from and to squares.
  std::array<std::array<std::uint64_t, 64>, 64> root_move_nodes{};
  bool stopped = false;
  bool pondering_over = false;

  History history;
  ContinuationHistory continuation;
  CaptureHistory capture_history;
  CorrectionHistory correction;
  Move counter_moves[NoPiece][64] = {};
  Killers killers[MaxPly + 2];
  // The piece and target of the move made at each ply; NoPiece for a null move.
  struct Played {
    Piece piece = NoPiece;
    Square to = 0;
  };
  Played played[MaxPly + 2];
  Move pv[MaxPly + 2][MaxPly + 2] = {};
  int pv_length[MaxPly + 2] = {};
  int static_eval[MaxPly + 2] = {};
  int double_extensions[MaxPly + 2] = {};  // on the line to each ply
  // The network's sums at each ply of the line being searched. A ply's sums
  // are brought up to date from those before only when it is evaluated.
  network::Accumulator accumulators[MaxPly + 2];
  network::Delta deltas[MaxPly + 2];
  bool accumulated[MaxPly + 2] = {};

  void clear() {
    history.clear();
    continuation.clear();
    capture_history.clear();
    correction.clear();
    std::fill(&counter_moves[0][0], &counter_moves[0][0] + NoPiece * 64, Move::none());
    std::fill(std::begin(killers), std::end(killers), Killers{});
  }

  // Everything of one search that does not carry over from the last one.
  void reset(const Position& root, const SearchLimits& search_limits, SearchControl& search_control) {
    pos = root;
    network::refresh(pos, accumulators[0]);
    accumulated[0] = true;
    limits = search_limits;
    control = &search_control;
    budget = plan_time(limits.clock);
    start = SteadyClock::now();
    nodes = 0;
    stopped = false;
    pondering_over = false;
    std::fill(std::begin(killers), std::end(killers), Killers{});
  }

  void make_move(Move m, int ply) {
    deltas[ply + 1] = network::delta_of(pos, m);
    accumulated[ply + 1] = false;
    pos.make(m);
  }

  int evaluate_at(int ply) {
    if (limits.classical_evaluation) return classical_evaluate(pos, pawns);
    int ready = ply;
    while (ready > 0 && !accumulated[ready]) --ready;  // the root's are always ready
    for (; ready < ply; ++ready) {
      network::update(accumulators[ready], deltas[ready + 1], accumulators[ready + 1]);
      accumulated[ready + 1] = true;
    }
    return evaluate(pos, pawns, accumulators[ply]);
  }

  // The move made `distance` plies before a node at `ply`, if a piece moved.
  const Played* played_before(int ply, int distance) const {
    if (ply < distance || played[ply - distance].piece == NoPiece) return nullptr;
    return &played[ply - distance];
  }

  QuietOrder quiet_order(int ply) const {
    QuietOrder order(history);
    for (int d = 1; d <= 2; ++d)
      if (const Played* p = played_before(ply, d)) order.before[d - 1] = &continuation.row(p->piece, p->to);
    if (const Played* p = played_before(ply, 1)) order.counter = counter_moves[p->piece][p->to];
    return order;
  }

  std::int64_t elapsed_ms() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(SteadyClock::now() - start).count();
  }

  bool time_limits_apply() {
    if (limits.infinite) return false;
    if (!limits.ponder) return true;
    if (!control->ponderhit_reported()) return false;
    if (!pondering_over) {
      // The clock for this move starts when the expected move is played.
      pondering_over = true;
      start = SteadyClock::now();
    }
    return true;
  }

  void check_stop() {
    if (helper) {
      stopped = searcher.helpers_stop_.load(std::memory_order_relaxed);
      return;
    }
    if (control->stop_requested()) {
      stopped = true;
      return;
    }
    if (limits.nodes && searcher.nodes_searched() >= limits.nodes) stopped = true;
    if (time_limits_apply() && budget.hard_ms >= 0 && elapsed_ms() >= budget.hard_ms) stopped = true;
  }

  // Counts the node and looks at the clock now and then; false once the search is to stop.
  bool enter_node(int ply) {
    const std::uint64_t counted = nodes.load(std::memory_order_relaxed) + 1;
    nodes.store(counted, std::memory_order_relaxed);
    if ((counted & (StopCheckInterval - 1)) == 0) check_stop();
    if (stopped) return false;
    seldepth = std::max(seldepth, ply);
    return true;
  }

  bool is_draw(int ply) const {
    if (pos.insufficient_material()) return true;
    if (pos.halfmove_clock() >= 100 && ply > 0) return true;
    return pos.repeated();
  }

  // In quiescence: a losing capture, or one that cannot reach alpha even if it wins the piece.
  bool futile_capture(Move m, MoveClass cls, int stand_pat, int alpha) const {
    if (cls == MoveClass::LosingTactical) return true;
    return m.kind() != MoveKind::Promotion && stand_pat + captured_value(pos, m) + DeltaMargin < alpha;
  }

  int quiescence(int alpha, int beta, int ply) {
    if (!enter_node(ply)) return 0;
    if (is_draw(ply)) return 0;
    if (ply >= MaxPly) return evaluate_at(ply);

    // Any table entry is as deep as the quiescence search.
    const std::optional<TTEntry> entry = tt.probe(pos.key());
    if (entry)
      if (auto settled = settled_score(*entry, ply, alpha, beta)) return *settled;
    const int old_alpha = alpha;
    const bool in_check = pos.in_check();
    int best = -Infinity;
    int stand_pat = 0;
    int raw_eval = 0;
    if (!in_check) {
      raw_eval = raw_evaluation(entry, ply);
      stand_pat = static_evaluation(raw_eval, entry, ply);
      if (stand_pat >= beta) return stand_pat;
      alpha = std::max(alpha, stand_pat);
      best = stand_pat;
    }
    const Move tt_move = entry ? Move::from_bits(entry->move) : Move::none();
    OrderedMoves moves(pos, in_check ? GenKind::All : GenKind::Tactical, tt_move, killers[ply], QuietOrder{history},
                       capture_history);
    int legal = 0;
    Move best_move;
    for (std::size_t i = 0; i < moves.size(); ++i) {
      const Move m = moves.next(i);
      if (!pos.is_legal(m)) continue;
      ++legal;
      if (!in_check && futile_capture(m, moves.class_of(i), stand_pat, alpha)) continue;
      make_move(m, ply);
      tt.prefetch(pos.key());
      const int score = -quiescence(-beta, -alpha, ply + 1);
      pos.unmake(m);
      if (stopped) return 0;
      if (score > best) {
        best = score;
        if (score > alpha) {
          alpha = score;
          best_move = m;
        }
        if (score >= beta) break;
      }
    }
    if (in_check && legal == 0) return -MateScore + ply;
    tt.store(pos.key(), best_move, score_to_table(best, ply), raw_eval, 0,
             best >= beta ? Bound::Lower : best > old_alpha ? Bound::Exact : Bound::Upper);
    return best;
  }

  // The entry's score at this ply when its bound answers a search of the window.
  static std::optional<int> settled_score(const TTEntry& entry, int ply, int alpha, int beta) {
    const int s = score_from_table(entry.score, ply);
    const Bound b = entry.bound();
    if (b == Bound::Exact || (b == Bound::Lower && s >= beta) || (b == Bound::Upper && s <= alpha)) return s;
    return std::nullopt;
  }

  // The table's score when it settles the node without a search.
  static std::optional<int> table_cutoff(const std::optional<TTEntry>& entry, const Node& n) {
    if (!entry || n.pv_node || entry->depth < n.depth) return std::nullopt;
    return settled_score(*entry, n.ply, n.alpha, n.beta);
  }

  // The evaluation as it is, the table's copy when there is one.
  int raw_evaluation(const std::optional<TTEntry>& entry, int ply) { return entry ? entry->eval : evaluate_at(ply); }

  // The static evaluation: the evaluation itself, corrected by what the
  // search learnt of such positions, sharpened by a table score that bounds it.
  int static_evaluation(int raw_eval, const std::optional<TTEntry>& entry, int ply) const {
    const int eval = correction.corrected(pos, raw_eval);
    if (!entry) return eval;
    const int s = score_from_table(entry->score, ply);
    if ((entry->bound() == Bound::Lower && s > eval) || (entry->bound() == Bound::Upper && s < eval)) return s;
    return eval;
  }

  // Reverse futility, razoring and the null move, for a node outside the
  // principal variation and not in check: the score when one settles it.
  std::optional<int> prune_before_moves(const Node& n, bool allow_null) {
    if (n.depth <= ReverseFutilityMaxDepth && std::abs(n.beta) < MateBound &&
        n.eval - (ReverseFutilityMargin - ReverseFutilityImprovingCut * n.improving) * n.depth >= n.beta)
      return n.eval;
    if (n.depth <= RazorMaxDepth && n.eval + RazorMargin * n.depth < n.alpha) {
      const int s = quiescence(n.alpha, n.beta, n.ply);
      if (s < n.alpha) return s;
    }
    if (allow_null && n.depth >= NullMoveMinDepth && n.eval >= n.beta &&
        non_pawn_material(pos, pos.side_to_move()) > 0) {
      const int r = NullMoveBaseReduction + n.depth / NullMoveDepthDivisor +
                    std::min((n.eval - n.beta) / NullMoveLeadDivisor, NullMoveMaxLeadReduction);
      played[n.ply] = {};
      deltas[n.ply + 1] = {};  // no piece moves: the sums are copied
      accumulated[n.ply + 1] = false;
      double_extensions[n.ply + 1] = double_extensions[n.ply];
      pos.make_null();
      const int s = -search(-n.beta, -n.beta + 1, n.depth - 1 - r, n.ply + 1, false);
      pos.unmake_null();
      if (stopped) return 0;
      if (s >= n.beta) return s >= MateBound ? n.beta : s;
    }
    return std::nullopt;
  }

  // Before the move is made: a capture that loses too much at low depth.
  bool skip_losing_tactical(const Node& n, Move m, MoveClass cls) const {
    return n.ply > 0 && n.legal > 0 && n.best > -MateBound && n.depth <= SeePruneMaxDepth &&
           cls == MoveClass::LosingTactical && pos.see(m) < -SeePruneMargin * n.depth;
  }

  // After the quiet move is made: late quiet moves at low depth, quiet moves
  // that have seldom refuted anything, and quiet moves that cannot lift a
  // hopeless score, are rarely worth a look.
  static bool skip_late_quiet(const Node& n, bool gives_check, MoveClass cls, int order_score) {
    if (n.ply == 0 || gives_check || n.in_check || n.legal <= 1 || n.depth > LateMoveMaxDepth ||
        n.best <= -MateBound)
      return false;
    const int late_count = LateMoveBaseCount + n.depth * n.depth * (n.improving ? 2 : 1);
    const bool bad_history =
        cls == MoveClass::Quiet && n.depth <= HistoryPruneMaxDepth && order_score < -HistoryPruneMargin * n.depth;
    return bad_history || n.quiet_count >= late_count ||
           n.eval + QuietFutilityBase + QuietFutilityMargin * n.depth <= n.alpha;
  }

  static int reduction(const Node& n, MoveClass cls, int order_score, bool gives_check, int new_depth) {
    int r = reductions().at(n.depth, n.legal);
    r += !n.pv_node;
    r -= cls == MoveClass::TableMove || cls == MoveClass::Killer || cls == MoveClass::CounterMove;
    // Table moves, killers and the counter move count as the best history there is.
    r -= cls == MoveClass::Quiet
             ? std::clamp(order_score / LmrHistoryDivisor, LmrMinHistoryRelief, LmrMaxHistoryRelief)
             : LmrMaxHistoryRelief;
    r -= gives_check;
    return std::clamp(r, 0, new_depth - 1);
  }

  // The score of a move already made: the first with the full window, the
  // others with a null window (reduced if quiet and late), re-searched when they surprise.
  int search_made_move(const Node& n, bool quiet, bool gives_check, MoveClass cls, int order_score, int extension) {
    if (gives_check && n.ply < 2 * n.depth + CheckExtensionSlack) extension = std::max(extension, 1);
    const int new_depth = n.depth - 1 + extension;
    if (n.legal == 1) return -search(-n.beta, -n.alpha, new_depth, n.ply + 1, true);
    // Once a mate is found, a quiet move may still mate sooner: it is not searched shallower.
    const bool reducible = n.depth >= LmrMinDepth && quiet && !n.in_check && n.alpha < MateBound;
    const int r = reducible ? reduction(n, cls, order_score, gives_check, new_depth) : 0;
    int score = -search(-n.alpha - 1, -n.alpha, new_depth - r, n.ply + 1, true);
    if (r > 0 && score > n.alpha) score = -search(-n.alpha - 1, -n.alpha, new_depth, n.ply + 1, true);
    if (n.pv_node && score > n.alpha && score < n.beta)
      score = -search(-n.beta, -n.alpha, new_depth, n.ply + 1, true);
    return score;
  }

  void update_pv(int ply, Move m) {
    pv[ply][ply] = m;
    for (int j = ply + 1; j < pv_length[ply + 1]; ++j) pv[ply][j] = pv[ply + 1][j];
    pv_length[ply] = std::max(pv_length[ply + 1], ply + 1);
  }

  void update_histories(int ply, Move m, int bonus) {
    history.update(pos.side_to_move(), m, bonus);
    for (int d = 1; d <= 2; ++d)
      if (const Played* p = played_before(ply, d))
        ContinuationHistory::update(continuation.row(p->piece, p->to), pos.piece_on(m.from()), m.to(), bonus);
  }

  // A move caused a cut-off and gains history; the captures tried before it
  // lose some. A quiet one also becomes a killer and the counter to the move
  // before, and the quiet moves tried before it lose some too.
  void record_cutoff(const Node& n, Move m, bool quiet) {
    const int bonus =
        std::min(n.depth * n.depth * HistoryBonusPerDepthSquared + n.depth * HistoryBonusPerDepth, HistoryBonusMax);
    for (int t = 0; t < n.tactical_count; ++t) capture_history.update(pos, n.tacticals_tried[t], -bonus);
    if (!quiet) {
      capture_history.update(pos, m, bonus);
      return;
    }
    killers[n.ply].add(m);
    if (const Played* p = played_before(n.ply, 1)) counter_moves[p->piece][p->to] = m;
    update_histories(n.ply, m, bonus);
    for (int q = 0; q < n.quiet_count; ++q) update_histories(n.ply, n.quiets_tried[q], -bonus);
  }

  // Before the table move is made: +1 when no other move comes near its
  // stored score (+2 when none comes within a margin of that, off the
  // principal variation), -1 when it is not alone but its score beats beta anyway.
  // A stored score that fails even without the table move settles the node
  // (one more cut-off than the table move alone: a multi-cut).
  std::optional<int> singular_extension(const Node& n, Move m, int& extension) {
    extension = 0;
    if (n.ply == 0 || m != n.tt_move || !n.excluded.is_none() || n.depth < SingularMinDepth || !n.entry ||
        n.entry->depth < n.depth - SingularTableDepthSlack || n.entry->bound() == Bound::Upper ||
        n.ply >= 2 * n.depth + CheckExtensionSlack)
      return std::nullopt;
    const int tt_score = score_from_table(n.entry->score, n.ply);
    if (std::abs(tt_score) >= MateBound) return std::nullopt;
    const int singular_beta = tt_score - SingularMarginPerPly * n.depth;
    const int saved_eval = static_eval[n.ply];
    const int s = search(singular_beta - 1, singular_beta, (n.depth - 1) / 2, n.ply, false, m);
    static_eval[n.ply] = saved_eval;
    pv_length[n.ply] = n.ply;
    if (stopped) return 0;
    if (s < singular_beta - DoubleExtensionMargin && !n.pv_node && double_extensions[n.ply] < MaxDoubleExtensions)
      extension = 2;
    else if (s < singular_beta)
      extension = 1;
    else if (singular_beta >= n.beta)
      return singular_beta;
    else if (tt_score >= n.beta)
      extension = -1;
    return std::nullopt;
  }

  // The move loop of the main search; the node's best score.
  int search_moves(Node& n) {
    OrderedMoves moves(pos, GenKind::All, n.tt_move, killers[n.ply], quiet_order(n.ply), capture_history);
    const int old_alpha = n.alpha;
    for (std::size_t i = 0; i < moves.size(); ++i) {
      const Move m = moves.next(i);
      if (m == n.excluded || !pos.is_legal(m)) continue;
      const bool quiet = is_quiet(pos, m);
      if (!quiet && skip_losing_tactical(n, m, moves.class_of(i))) continue;
      int extension = 0;
      if (auto settled = singular_extension(n, m, extension)) return *settled;
      played[n.ply] = {pos.piece_on(m.from()), m.to()};
      make_move(m, n.ply);
      tt.prefetch(pos.key());
      ++n.legal;
      const bool gives_check = pos.in_check();
      if (quiet && skip_late_quiet(n, gives_check, moves.class_of(i), moves.score(i))) {
        pos.unmake(m);
        n.remember_quiet(m);
        continue;
      }
      double_extensions[n.ply + 1] = double_extensions[n.ply] + (extension == 2);
      const std::uint64_t nodes_before = nodes.load(std::memory_order_relaxed);
      const int score = search_made_move(n, quiet, gives_check, moves.class_of(i), moves.score(i), extension);
      if (n.ply == 0) root_move_nodes[m.from()][m.to()] += nodes.load(std::memory_order_relaxed) - nodes_before;
      pos.unmake(m);
      if (stopped) return 0;
      if (score > n.best) {
        n.best = score;
        if (score > n.alpha) {
          n.alpha = score;
          n.best_move = m;
          update_pv(n.ply, m);
          if (n.ply == 0) root_score = score;
          if (score >= n.beta) {
            record_cutoff(n, m, quiet);
            break;
          }
        }
      }
      if (quiet) n.remember_quiet(m);
      else n.remember_tactical(m);
    }
    if (n.legal == 0) return !n.excluded.is_none() ? n.alpha : n.in_check ? -MateScore + n.ply : 0;
    // Without its table move the node's score says nothing of the position itself.
    if (!n.excluded.is_none()) return n.best;
    const Bound bound = n.best >= n.beta ? Bound::Lower : n.alpha > old_alpha ? Bound::Exact : Bound::Upper;
    tt.store(pos.key(), n.best_move, score_to_table(n.best, n.ply), n.raw_eval, n.depth, bound);
    // A quiet position's score that is not merely a bound on the wrong side of the evaluation teaches the correction.
    if (!n.in_check && (n.best_move.is_none() || is_quiet(pos, n.best_move)) && std::abs(n.best) < MateBound &&
        !(bound == Bound::Lower && n.best <= n.eval) && !(bound == Bound::Upper && n.best >= n.eval))
      correction.update(pos, n.depth, n.best - n.raw_eval);
    return n.best;
  }

  int search(int alpha, int beta, int depth, int ply, bool allow_null, Move excluded = Move::none()) {
    pv_length[ply] = ply;
    if (depth <= 0) return quiescence(alpha, beta, ply);
    if (!enter_node(ply)) return 0;
    Node n(alpha, beta, depth, ply, excluded);
    if (ply > 0) {
      if (is_draw(ply)) return 0;
      if (ply >= MaxPly) return evaluate_at(ply);
      // Mate distance: no line from here can beat a mate already found nearer the root.
      n.alpha = std::max(n.alpha, -MateScore + ply);
      n.beta = std::min(n.beta, MateScore - ply - 1);
      if (n.alpha >= n.beta) return n.alpha;
    }
    // The table speaks of the node with all its moves, not of the node without one.
    n.entry = excluded.is_none() ? tt.probe(pos.key()) : std::nullopt;
    const std::optional<TTEntry>& entry = n.entry;
    n.tt_move = entry ? Move::from_bits(entry->move) : Move::none();
    if (auto settled = table_cutoff(entry, n)) return *settled;

    n.in_check = pos.in_check();
    if (!n.in_check) {
      n.raw_eval = raw_evaluation(entry, ply);
      n.eval = static_evaluation(n.raw_eval, entry, ply);
    }
    static_eval[ply] = n.eval;
    n.improving = !n.in_check && ply >= 2 && static_eval[ply] > static_eval[ply - 2];
    if (!n.pv_node && !n.in_check && excluded.is_none())
      if (auto settled = prune_before_moves(n, allow_null)) return *settled;
    if (depth >= NoTableMoveMinDepth && n.tt_move.is_none() && excluded.is_none()) --n.depth;
    return search_moves(n);
  }

  // One iteration, its window widened until the score falls inside it.
  int search_with_aspiration(int depth, int last_score) {
    int delta = AspirationDelta;
    int alpha = -Infinity, beta = Infinity;
    if (depth >= AspirationMinDepth && std::abs(last_score) < MateBound) {
      alpha = std::max(last_score - delta, -Infinity);
      beta = std::min(last_score + delta, Infinity);
    }
    for (;;) {
      const int s = search(alpha, beta, depth, 0, false);
      if (stopped) return s;
      if (s <= alpha) {
        beta = (alpha + beta) / 2;
        alpha = std::max(s - delta, -Infinity);
      } else if (s >= beta) {
        beta = std::min(s + delta, Infinity);
      } else {
        return s;
      }
      delta += delta;
      if (delta > AspirationGiveUp) alpha = -Infinity, beta = Infinity;
    }
  }

  // After a finished iteration: whether a deeper one is worth starting.
  bool deep_enough(int depth, int score, std::size_t root_move_count, const IterationPace& pace) {
    if (time_limits_apply() && budget.soft_ms >= 0) {
      // A fixed time per move (soft equal to hard) is spent alike on every move.
      const double pace_factor = budget.soft_ms < budget.hard_ms ? pace.factor() : 1.0;
      if (elapsed_ms() >= budget.soft_ms * SoftBudgetPercent / 100 * pace_factor) return true;
    }
    if (root_move_count == 1 && time_limits_apply() && budget.soft_ms >= 0 && depth >= SingleMoveDepth)
      return true;
    return std::abs(score) >= MateBound && depth > std::abs(mate_distance_plies(score)) + MateDepthSlack &&
           time_limits_apply();
  }

  // Iterative deepening: fills the result's move, expected reply, score and depth.
  void iterate(std::size_t root_move_count, SearchResult& result, int first_depth = 1) {
    const int max_depth = limits.depth > 0 ? std::min(limits.depth, MaxPly - 1) : MaxPly - 1;
    int score = 0;
    std::vector<Move> best_line;
    IterationPace pace;
    for (int depth = first_depth; depth <= max_depth; ++depth) {
      seldepth = 0;
      root_move_nodes.fill({});
      const std::uint64_t nodes_before = nodes.load(std::memory_order_relaxed);
      const int s = search_with_aspiration(depth, score);
      // An interrupted iteration still counts when it already found a better
      // first move, with that move's score: the aborted search's own is void.
      if (stopped && (pv_length[0] == 0 || depth == 1)) break;
      if (pv_length[0] > 0) {
        if (!stopped) {
          const Move best = pv[0][0];
          const double spent = double(nodes.load(std::memory_order_relaxed) - nodes_before);
          const double best_share = spent > 0 ? double(root_move_nodes[best.from()][best.to()]) / spent : 1.0;
          pace.record(!best_line.empty() && best_line[0] != best, s, best_share);
        }
        best_line.assign(pv[0], pv[0] + pv_length[0]);
        score = stopped ? root_score : s;
      }
      if (stopped) break;
      result.depth = depth;
      if (helper) continue;
      if (control->on_info)
        control->on_info(SearchInfo{depth, seldepth, score, searcher.nodes_searched(), elapsed_ms(), best_line});
      if (deep_enough(depth, score, root_move_count, pace)) break;
    }
    if (!best_line.empty()) result.best = best_line[0];
    if (best_line.size() > 1) result.ponder = best_line[1];
    result.score = score;
  }

  // Exact scores of every root move at the given depth, best first.
  std::vector<ScoredMove> score_root_moves(const MoveList& root_moves, int depth) {
    std::vector<ScoredMove> scored;
    for (Move m : root_moves) {
      played[0] = {pos.piece_on(m.from()), m.to()};
      make_move(m, 0);
      const int s = -search(-Infinity, Infinity, depth - 1, 1, true);
      pos.unmake(m);
      if (stopped) break;
      scored.push_back({s, m});
    }
    std::stable_sort(scored.begin(), scored.end(), [](auto& a, auto& b) { return a.first > b.first; });
    return scored;
  }

  // A weaker level may slip to a nearly-as-good move, the closer ones more likely.
  void slip(const MoveList& root_moves, SearchResult& result) {
    const Weakness& weak = limits.weakness;
    std::mt19937_64 rng(weak.seed);
    if (int(rng() % 100) >= weak.mistake_percent) return;
    const auto scored = score_root_moves(root_moves, std::max(1, result.depth));
    if (stopped || scored.empty() || std::abs(scored[0].first) >= MateBound) return;
    const int top = scored[0].first;
    std::vector<ScoredMove> near;
    std::vector<double> weights;
    for (const auto& [s, m] : scored) {
      if (s < top - weak.mistake_margin_cp || s <= -MateBound) continue;
      near.push_back({s, m});
      weights.push_back(1.0 + weak.mistake_margin_cp - (top - s));
    }
    std::discrete_distribution<std::size_t> pick(weights.begin(), weights.end());
    const ScoredMove chosen = near[pick(rng)];
    if (chosen.second == result.best) return;
    result.best = chosen.second;
    result.ponder = Move::none();
    result.score = chosen.first;
  }

  // A helper's whole search: no clock, no node cap; every other helper starts
  // one ply deeper so that the threads spread over two depths.
  void help(const Position& root, const SearchLimits& main_limits, SearchControl& search_control, int index,
            std::size_t root_move_count) {
    SearchLimits own;
    own.depth = main_limits.depth;
    own.infinite = true;
    helper = true;
    reset(root, own, search_control);
    SearchResult ignored;
    iterate(root_move_count, ignored, 1 + index % 2);
  }
};

void SearchControl::request_stop() {
  {
    std::lock_guard guard(mutex_);
    stop_ = true;
  }
  released_.notify_all();
}

void SearchControl::report_ponderhit() {
  {
    std::lock_guard guard(mutex_);
    ponderhit_ = true;
  }
  released_.notify_all();
}

void SearchControl::rearm() {
  std::lock_guard guard(mutex_);
  stop_ = false;
  ponderhit_ = false;
}

void SearchControl::wait_for_release(bool infinite, bool ponder) {
  std::unique_lock guard(mutex_);
  released_.wait(guard, [&] { return stop_.load() || (!infinite && (!ponder || ponderhit_.load())); });
}

void SearchControl::pause(std::chrono::milliseconds duration) {
  std::unique_lock guard(mutex_);
  released_.wait_for(guard, duration, [&] { return stop_.load(); });
}

Searcher::Searcher(std::size_t hash_mb) : tt_(hash_mb) { worker(0); }
Searcher::~Searcher() = default;

Searcher::Worker& Searcher::worker(std::size_t index) {
  while (workers_.size() <= index) workers_.push_back(std::make_unique<Worker>(tt_, *this));
  return *workers_[index];
}

std::uint64_t Searcher::nodes_searched() const {
  std::uint64_t sum = 0;
  for (const auto& w : workers_) sum += w->nodes.load(std::memory_order_relaxed);
  return sum;
}

void Searcher::clear() {
  tt_.clear();
  for (auto& w : workers_) w->clear();
}

void Searcher::resize(std::size_t hash_mb) { tt_.resize(hash_mb); }

void Searcher::set_threads(int count) { threads_ = std::clamp(count, 1, MaxThreads); }

Move Searcher::table_move(const Position& pos) const {
  const std::optional<TTEntry> entry = tt_.probe(pos.key());
  if (!entry) return Move::none();
  Move m = Move::from_bits(entry->move);
  return legal_moves(pos).contains(m) ? m : Move::none();
}

SearchResult Searcher::think(const Position& root, const SearchLimits& limits, SearchControl& control) {
  const std::size_t threads = std::size_t(limits.threads > 0 ? std::min(limits.threads, MaxThreads) : threads_);
  worker(threads - 1);
  Worker& w = *workers_[0];
  for (auto& helper : workers_) helper->nodes = 0;
  w.reset(root, limits, control);
  tt_.new_search();

  SearchResult result;
  const MoveList root_moves = legal_moves(root);
  if (root_moves.empty()) return result;
  result.best = root_moves[0];
  {
    helpers_stop_ = false;
    std::vector<std::jthread> helpers;
    for (std::size_t i = 1; i < threads; ++i)
      helpers.emplace_back([&, i] { workers_[i]->help(root, limits, control, int(i), root_moves.size()); });
    w.iterate(root_moves.size(), result);
    helpers_stop_ = true;
  }  // the helpers are joined here
  if (limits.weakness.mistake_percent > 0 && root_moves.size() > 1 && !w.stopped) w.slip(root_moves, result);
  // A ponder or infinite search must not answer before it is released.
  control.wait_for_release(limits.infinite, limits.ponder);
  // A level that takes its time answers no sooner than its pause, nor later than its budget.
  if (limits.min_time_ms > 0 && w.time_limits_apply()) {
    const std::int64_t pause =
        w.budget.soft_ms >= 0 ? std::min(limits.min_time_ms, w.budget.soft_ms) : limits.min_time_ms;
    if (pause > w.elapsed_ms()) control.pause(std::chrono::milliseconds(pause - w.elapsed_ms()));
  }
  result.nodes = nodes_searched();
  return result;
}

}  // namespace tolvane
