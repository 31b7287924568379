#include "protocol/uci.h"

#include <cstdlib>
#include <sstream>
#include <vector>

#include "board/movegen.h"
#include "protocol/output.h"
#include "search/bench.h"

namespace tolvane {

UciSession::UciSession(CommandQueue& queue, Searcher& searcher) : queue_(queue), searcher_(searcher) {
  control_.on_info = [this](const SearchInfo& info) { report(info); };
}

bool UciSession::filter(const std::string& line, const std::deque<std::string>&) {
  // Before a search starts these wait for it in the queue (see go()).
  if (!searching_) return true;
  if (line == "stop") control_.request_stop();
  else if (line == "ponderhit") control_.report_ponderhit();
  else if (line == "isready") say("readyok");
  else return true;
  return false;
}

void UciSession::report(const SearchInfo& info) const {
  std::ostringstream line;
  line << "info depth " << info.depth << " seldepth " << info.seldepth << " score ";
  if (info.score >= MateBound) line << "mate " << (MateScore - info.score + 1) / 2;
  else if (info.score <= -MateBound) line << "mate -" << (MateScore + info.score) / 2;
  else line << "cp " << info.score;
  line << " nodes " << info.nodes << " nps "
       << info.nodes * 1000 / std::uint64_t(std::max<std::int64_t>(1, info.time_ms)) << " time "
       << info.time_ms << " pv";
  for (Move m : info.pv) line << ' ' << move_to_text(m);
  say(line.str());
}

void UciSession::set_position(const std::string& line) {
  std::istringstream in(line);
  std::string word;
  in >> word;  // "position"
  in >> word;
  std::optional<Position> pos;
  if (word == "startpos") {
    pos = Position::start();
    in >> word;
  } else if (word == "fen") {
    std::string fen;
    while (in >> word && word != "moves") fen += word + " ";
    pos = Position::from_fen(fen);
    if (!pos) {
      say("info string illegal position: " + fen);
      return;
    }
  } else {
    return;
  }
  game_.set_position(*pos);
  if (word != "moves") return;
  while (in >> word) {
    auto m = parse_move(game_.position(), word);
    if (!m) {
      say("info string illegal move: " + word);
      return;
    }
    game_.play(*m);
  }
}

void UciSession::go(const std::string& line) {
  std::istringstream in(line);
  std::string word;
  in >> word;
  SearchLimits limits;
  const bool white = game_.position().side_to_move() == White;
  std::int64_t value = 0;
  while (in >> word) {
    auto number = [&] {
      in >> value;
      return value;
    };
    if (word == "wtime") { if (white) limits.clock.time_left_ms = number(); else number(); }
    else if (word == "btime") { if (!white) limits.clock.time_left_ms = number(); else number(); }
    else if (word == "winc") { if (white) limits.clock.increment_ms = number(); else number(); }
    else if (word == "binc") { if (!white) limits.clock.increment_ms = number(); else number(); }
    else if (word == "movestogo") limits.clock.moves_to_go = int(number());
    else if (word == "movetime") limits.clock.move_time_ms = number();
    else if (word == "depth") limits.depth = int(number());
    else if (word == "nodes") limits.nodes = std::uint64_t(number());
    else if (word == "infinite") limits.infinite = true;
    else if (word == "ponder") limits.ponder = true;
  }
  // Lines for this search that came in while "go" was being read act now.
  queue_.with_lock([&](std::deque<std::string>& pending) {
    control_.rearm();
    while (!pending.empty()) {
      const std::string& line = pending.front();
      if (line == "stop") control_.request_stop();
      else if (line == "ponderhit") control_.report_ponderhit();
      else if (line == "isready") say("readyok");
      else break;
      pending.pop_front();
    }
    searching_ = true;
  });
  SearchResult result = searcher_.think(game_.position(), limits, control_);
  searching_ = false;
  std::string reply = "bestmove " + move_to_text(result.best);
  if (!result.ponder.is_none()) reply += " ponder " + move_to_text(result.ponder);
  say(reply);
}

void UciSession::execute(const std::string& line) {
  std::istringstream in(line);
  std::string cmd;
  in >> cmd;
  if (cmd == "quit") {
    std::_Exit(0);
  } else if (cmd == "uci") {
    say("id name Tolvane 1.0");
    say("id author the Tolvane developers");
    say("option name Hash type spin default 64 min 1 max 1024");
    say("option name Ponder type check default false");
    say("option name Clear Hash type button");
    say("uciok");
  } else if (cmd == "isready") {
    say("readyok");
  } else if (cmd == "ucinewgame") {
    searcher_.clear();
    game_.reset();
  } else if (cmd == "setoption") {
    std::string word, name, value;
    bool in_value = false;
    in >> word;  // "name"
    while (in >> word) {
      if (word == "value") in_value = true;
      else if (in_value) value += (value.empty() ? "" : " ") + word;
      else name += (name.empty() ? "" : " ") + word;
    }
    if (name == "Hash") {
      try {
        searcher_.resize(std::size_t(std::max(1, std::stoi(value))));
      } catch (...) {
      }
    } else if (name == "Clear Hash") {
      searcher_.clear();
    }
  } else if (cmd == "position") {
    set_position(line);
  } else if (cmd == "go") {
    go(line);
  } else if (cmd == "stop" || cmd == "ponderhit") {
    // Only meaningful during a search, where the reader thread handles them.
  } else if (cmd == "bench") {
    std::ostringstream text;
    run_bench(text);
    std::istringstream lines(text.str());
    for (std::string l; std::getline(lines, l);) say(l);
  } else if (cmd == "d" || cmd == "showboard") {
    for (const std::string& row : game_.position().picture()) say(row);
    say("fen " + game_.position().fen());
  } else {
    say("info string unknown command " + cmd);
  }
}

}  // namespace tolvane
