#include "protocol/uci.h"

#include <algorithm>

#include "board/movegen.h"
#include "board/words.h"
#include "common/engine_words.h"
#include "protocol/output.h"
#include "protocol/replies.h"

namespace tolvane {
namespace {

void say_identity() {
  say("id name " + std::string(ENGINE_NAME_AND_VERSION));
  say("id author the Tolvane developers");
  say("option name Hash type spin default 64 min 1 max " + std::to_string(MaxHashMb));
  say("option name Threads type spin default 1 min 1 max " + std::to_string(MaxThreads));
  say("option name Ponder type check default false");
  say("option name Clear Hash type button");
  say("uciok");
}

// The words after `key` up to the first of the `ends`, joined by one blank.
std::string words_after(const std::vector<std::string_view>& words, std::string_view key,
                        std::initializer_list<std::string_view> ends) {
  auto at = std::find(words.begin(), words.end(), key);
  std::string text;
  for (at = at == words.end() ? at : at + 1; at != words.end(); ++at) {
    if (std::find(ends.begin(), ends.end(), *at) != ends.end()) break;
    if (!text.empty()) text += ' ';
    text += *at;
  }
  return text;
}

}  // namespace

UciSession::UciSession(CommandQueue& queue, Searcher& searcher) : queue_(queue), searcher_(searcher) {
  control_.on_info = [this](const SearchInfo& info) { report(info); };
}

bool UciSession::take_search_signal(const std::string& line) {
  if (line == "stop") {
    stop_sent_ = true;
    control_.request_stop();
  } else if (line == "ponderhit") {
    control_.report_ponderhit();
  } else if (line == "isready") {
    say("readyok");
  } else {
    return false;
  }
  return true;
}

bool UciSession::filter(const std::string& line, const std::deque<std::string>&) {
  // Before a search starts these wait for it in the queue (see go()).
  if (!searching_) return true;
  if (take_search_signal(line)) return false;
  const auto words = split_words(line);
  if (!stop_sent_ && !words.empty() && words[0] == "go") {
    say("info string a search is running: stop it before the next go");
    return false;
  }
  return true;
}

void UciSession::report(const SearchInfo& info) const {
  const auto mate = mate_in_moves(info.score);
  const std::string score = mate ? "mate " + std::to_string(*mate) : "cp " + std::to_string(info.score);
  const auto nps = info.nodes * 1000 / std::uint64_t(std::max<std::int64_t>(1, info.time_ms));
  say("info depth " + std::to_string(info.depth) + " seldepth " + std::to_string(info.seldepth) + " score " +
      score + " nodes " + std::to_string(info.nodes) + " nps " + std::to_string(nps) + " time " +
      std::to_string(info.time_ms) + " pv" + pv_text(info.pv));
}

void UciSession::set_position(const Words& words) {
  std::optional<Position> pos;
  const std::string_view kind = words.size() > 1 ? words[1] : "";
  if (kind == "startpos") pos = Position::start();
  else if (kind == "fen") pos = Position::from_fen(words_after(words, "fen", {"moves"}));
  if (!pos) {
    say("info string illegal position: " + words_after(words, "position", {}));
    return;
  }
  game_.set_position(*pos);
  for (auto at = std::find(words.begin(), words.end(), "moves"); at != words.end() && ++at != words.end();) {
    const auto m = parse_move(game_.position(), *at);
    if (!m) {
      say("info string illegal move: " + std::string(*at));
      return;
    }
    game_.play(*m);
  }
}

void UciSession::set_option(std::string_view line) {
  const auto words = split_words(line);
  const std::string name = words_after(words, "name", {"value"});
  if (name == "Hash") {
    if (auto refused = resize_hash(searcher_, words_after(words, "value", {})))
      say("info string Hash not changed: " + *refused);
  } else if (name == "Threads") {
    if (auto refused = set_threads(searcher_, words_after(words, "value", {})))
      say("info string Threads not changed: " + *refused);
  } else if (name == "Clear Hash") {
    searcher_.clear();
  }
}

SearchLimits UciSession::limits_of(const Words& words) const {
  SearchLimits limits;
  const bool white = game_.position().side_to_move() == White;
  for (std::size_t i = 1; i < words.size(); ++i) {
    const std::string_view word = words[i];
    if (word == "infinite") limits.infinite = true;
    if (word == "ponder") limits.ponder = true;
    const auto value = i + 1 < words.size() ? parse_integer(words[i + 1]) : std::nullopt;
    if (!value || *value < 0) continue;  // a word without a usable number counts for nothing
    if (word == (white ? "wtime" : "btime")) limits.clock.time_left_ms = *value;
    else if (word == (white ? "winc" : "binc")) limits.clock.increment_ms = *value;
    else if (word == "movestogo") limits.clock.moves_to_go = int(std::min<std::int64_t>(*value, 1000));
    else if (word == "movetime") limits.clock.move_time_ms = *value;
    else if (word == "depth") limits.depth = int(std::min<std::int64_t>(*value, MaxPly));
    else if (word == "nodes") limits.nodes = std::uint64_t(*value);
  }
  return limits;
}

void UciSession::go(const Words& words) {
  const SearchLimits limits = limits_of(words);
  arm_search(queue_, control_, *this, [this] {
    stop_sent_ = false;
    searching_ = true;
  });
  const SearchResult result = searcher_.think(game_.position(), limits, control_);
  searching_ = false;
  std::string reply = "bestmove " + move_to_text(result.best);
  if (!result.ponder.is_none()) reply += " ponder " + move_to_text(result.ponder);
  say(reply);
}

std::span<const UciSession::Command> UciSession::commands() {
  using S = UciSession;
  using W = const Words&;
  using L = std::string_view;
  static const Command table[] = {
      {"uci", [](S&, W, L) { say_identity(); }},
      {"isready", [](S&, W, L) { say("readyok"); }},
      {"ucinewgame", [](S& s, W, L) { s.searcher_.clear(), s.game_.reset(); }},
      {"setoption", [](S& s, W, L l) { s.set_option(l); }},
      {"position", [](S& s, W w, L) { s.set_position(w); }},
      {"go", [](S& s, W w, L) { s.go(w); }},
      // Only meaningful during a search, where the reader thread takes them.
      {"stop", [](S&, W, L) {}},
      {"ponderhit", [](S&, W, L) {}},
      {"bench", [](S&, W, L) { say_bench(); }},
      {"d", [](S& s, W, L) { say_board(s.game_.position()), say("fen " + s.game_.position().fen()); }},
      {"showboard", [](S& s, W, L) { say_board(s.game_.position()), say("fen " + s.game_.position().fen()); }},
  };
  return table;
}

void UciSession::execute(const std::string& line) {
  const Words words = split_words(line);
  if (words.empty()) return;
  for (const Command& command : commands()) {
    if (command.word == words[0]) return command.run(*this, words, line);
  }
  say("info string unknown command " + std::string(words[0]));
}

}  // namespace tolvane
