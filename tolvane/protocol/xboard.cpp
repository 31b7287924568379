#include "protocol/xboard.h"

#include <cctype>
#include <cstdlib>
#include <random>
#include <sstream>
#include <vector>

#include "board/movegen.h"
#include "protocol/output.h"
#include "search/bench.h"

namespace tolvane {
namespace {

std::vector<std::string> words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> out;
  for (std::string w; in >> w;) out.push_back(w);
  return out;
}

std::string rest_after_word(const std::string& line) {
  std::size_t space = line.find(' ');
  if (space == std::string::npos) return "";
  std::size_t start = line.find_first_not_of(' ', space);
  return start == std::string::npos ? "" : line.substr(start);
}

// A word the dialogue takes as a move attempt rather than a command: square
// letters and digits, like "e2e4", "e7e8Q" or a mistyped "e2e9".
bool looks_like_move(const std::string& word) {
  if (word.size() < 4 || word.size() > 5) return false;
  return word[0] >= 'a' && word[0] <= 'h' && std::isdigit(static_cast<unsigned char>(word[1])) &&
         word[2] >= 'a' && word[2] <= 'h' && std::isdigit(static_cast<unsigned char>(word[3]));
}

// The move text of a move command, lower case with English promotion letters.
std::string move_of_command(const std::string& line) {
  auto w = words(line);
  std::string text;
  if (w.size() == 2 && w[0] == "usermove") text = w[1];
  else if (w.size() == 1 && looks_like_move(w[0])) text = w[0];
  for (char& c : text) c = char(std::tolower(static_cast<unsigned char>(c)));
  if (text.size() == 5) {
    switch (text[4]) {
      case 'd': text[4] = 'q'; break;
      case 't': text[4] = 'r'; break;
      case 'l': text[4] = 'b'; break;
      case 's': text[4] = 'n'; break;
      default: break;
    }
  }
  return text;
}

// Commands that leave a ponder search running: they only set values the
// search does not use until its own move.
bool leaves_ponder_running(const std::string& line) {
  auto w = words(line);
  if (w.empty()) return true;
  static const char* const quiet[] = {"time", "otim", "post", "nopost", "hard", "level",
                                      "computer", "name", "rating", "accepted", "rejected", "random"};
  for (const char* q : quiet)
    if (w[0] == q) return true;
  return false;
}

// Commands after which a move being thought about must not be played.
bool abandons_search(const std::string& word) {
  static const char* const abandon[] = {"new", "force", "result", "setboard", "undo", "remove",
                                        "edit", "analyze", "exit", "playother"};
  for (const char* a : abandon)
    if (word == a) return true;
  return false;
}

std::int64_t parse_seconds(const std::string& text) {
  // "m", "m:ss" (minutes) for the base time.
  std::size_t colon = text.find(':');
  try {
    if (colon == std::string::npos) return std::int64_t(std::stod(text) * 60000);
    return std::int64_t(std::stod(text.substr(0, colon)) * 60000 + std::stod(text.substr(colon + 1)) * 1000);
  } catch (...) {
    return -1;
  }
}

}  // namespace

XboardSession::XboardSession(CommandQueue& queue, Searcher& searcher)
    : queue_(queue), searcher_(searcher), seed_(std::random_device{}()) {
  control_.on_info = [this](const SearchInfo& info) { report(info); };
}

bool XboardSession::filter(const std::string& line, const std::deque<std::string>& pending) {
  const Activity now = activity_.load();
  if (line == "?") {
    if (now == Activity::Thinking) control_.request_stop();
    // Before a search starts it is kept for that search.
    return now == Activity::Idle;
  }
  if (line == ".") return false;  // analysis status requests; the thinking lines say it all
  auto w = words(line);
  const std::string first = w.empty() ? "" : w[0];
  switch (now) {
    case Activity::Idle:
      return true;
    case Activity::Thinking:
      if (abandons_search(first)) {
        abandon_ = true;
        control_.request_stop();
      }
      return true;
    case Activity::Analyzing:
      control_.request_stop();
      return true;
    case Activity::Pondering: {
      if (leaves_ponder_running(line)) return true;
      bool only_quiet_before = true;
      for (const std::string& p : pending) only_quiet_before = only_quiet_before && leaves_ponder_running(p);
      if (only_quiet_before && !ponder_text_.empty() && move_of_command(line) == ponder_text_) {
        // The expected move: the ponder search becomes the search for our reply.
        control_.report_ponderhit();
        activity_ = Activity::Thinking;
        return true;
      }
      control_.request_stop();
      return true;
    }
  }
  return true;
}

void XboardSession::report(const SearchInfo& info) const {
  if (!post_ && activity_.load() != Activity::Analyzing) return;
  int score = info.score;
  if (score >= MateBound) score = 100000 + (MateScore - score + 1) / 2;
  else if (score <= -MateBound) score = -100000 - (MateScore + score) / 2;
  std::ostringstream line;
  line << info.depth << ' ' << score << ' ' << info.time_ms / 10 << ' ' << info.nodes;
  for (Move m : info.pv) line << ' ' << move_to_text(m);
  say(line.str());
}

void XboardSession::set_level(const std::string& mps, const std::string& base, const std::string& inc) {
  if (mps == "tolvane") {
    // Only the program's four pairs name a level; anything else keeps the current one.
    if (auto level = level_from_arguments(base, inc)) {
      level_ = *level;
      use_level_ = true;
    }
    return;
  }
  try {
    int moves = std::stoi(mps);
    std::int64_t base_ms = parse_seconds(base);
    double inc_s = std::stod(inc);
    if (moves < 0 || base_ms < 0 || inc_s < 0) throw std::invalid_argument("level");
    moves_per_control_ = moves;
    increment_ms_ = std::int64_t(inc_s * 1000);
    time_left_ms_ = base_ms;
    move_time_ms_ = 0;
    use_level_ = false;
  } catch (...) {
    say("Error (bad level): level " + mps + " " + base + " " + inc);
  }
}

SearchLimits XboardSession::limits_for_move() const {
  SearchLimits limits;
  // The level sets how far the engine looks and how often it slips; a clock
  // given later by a time control replaces only the level's own move time.
  apply_level(level_, game_.position(), limits, seed_ + std::uint64_t(game_.moves_played()) * 0x9E3779B97F4A7C15ULL);
  if (use_level_) {
    limits.clock.move_time_ms = level_.move_time_ms;
  } else if (move_time_ms_ > 0) {
    limits.clock.move_time_ms = move_time_ms_;
  } else {
    limits.clock.time_left_ms = time_left_ms_;
    limits.clock.increment_ms = increment_ms_;
    if (moves_per_control_ > 0) {
      int done = (game_.position().fullmove_number() - 1) % moves_per_control_;
      limits.clock.moves_to_go = moves_per_control_ - done;
    }
  }
  if (depth_limit_ > 0) limits.depth = limits.depth > 0 ? std::min(limits.depth, depth_limit_) : depth_limit_;
  return limits;
}

void XboardSession::play_engine_move(const SearchResult& result) {
  if (result.best.is_none()) {
    if (auto over = game_.result()) say(*over);
    return;
  }
  game_.play(result.best);
  expected_reply_ = result.ponder.is_none() ? searcher_.table_move(game_.position()) : result.ponder;
  say("move " + move_to_text(result.best));
  if (auto over = game_.result()) say(*over);
}

void XboardSession::think_and_move() {
  if (auto over = game_.result()) {
    say(*over);
    return;
  }
  // Under the queue's lock, so that a "?" arriving from now on is seen; one
  // that came in while the move was being read stops this search too.
  queue_.with_lock([&](std::deque<std::string>& pending) {
    control_.rearm();
    while (!pending.empty() && pending.front() == "?") {
      control_.request_stop();
      pending.pop_front();
    }
    abandon_ = false;
    activity_ = Activity::Thinking;
  });
  SearchResult result = searcher_.think(game_.position(), limits_for_move(), control_);
  activity_ = Activity::Idle;
  if (!abandon_) play_engine_move(result);
}

void XboardSession::ponder() {
  const Position& pos = game_.position();
  if (expected_reply_.is_none() || !parse_move(pos, move_to_text(expected_reply_))) return;
  const Move guess = expected_reply_;
  bool started = queue_.when_idle([&] {
    control_.rearm();
    abandon_ = false;
    ponder_text_ = move_to_text(guess);
    activity_ = Activity::Pondering;
  });
  if (!started) return;
  Position after = pos;
  after.make(guess);
  SearchLimits limits = limits_for_move();
  limits.ponder = true;
  SearchResult result = searcher_.think(after, limits, control_);
  const bool hit = control_.ponderhit_reported();
  activity_ = Activity::Idle;
  // Interrupted by another command: the same guess serves when pondering resumes.
  if (!hit) return;
  expected_reply_ = Move::none();
  // Everything queued up to the expected move only set values; then the move itself.
  for (;;) {
    std::string line = queue_.pop();
    if (!move_of_command(line).empty() && move_of_command(line) == move_to_text(guess)) break;
    execute(line);
  }
  game_.play(guess);
  if (auto over = game_.result()) {
    say(*over);
    return;
  }
  if (!abandon_) play_engine_move(result);
}

void XboardSession::analyse() {
  bool started = queue_.when_idle([&] {
    control_.rearm();
    activity_ = Activity::Analyzing;
  });
  if (!started) return;
  SearchLimits limits;
  limits.infinite = true;
  searcher_.think(game_.position(), limits, control_);
  activity_ = Activity::Idle;
}

void XboardSession::use_idle_time() {
  if (analyzing_) {
    if (!game_.result()) analyse();
    return;
  }
  if (ponder_ && !force_ && position_valid_ && game_.position().side_to_move() != engine_color_ &&
      !game_.result())
    ponder();
}

void XboardSession::handle_move(const std::string& text) {
  if (auto over = game_.result(); over && position_valid_) {
    say(*over);
    return;
  }
  std::optional<Move> m = position_valid_ ? parse_move(game_.position(), text) : std::nullopt;
  if (!m) {
    say("Illegal move: " + text);
    return;
  }
  game_.play(*m);
  expected_reply_ = Move::none();
  if (auto over = game_.result()) {
    say(*over);
    return;
  }
  if (analyzing_ || force_) return;
  // The program's own dialogue expects an answer to every move.
  if (!xboard_) engine_color_ = game_.position().side_to_move();
  if (game_.position().side_to_move() == engine_color_) think_and_move();
}

void XboardSession::execute(const std::string& line) {
  auto w = words(line);
  if (w.empty()) return;
  const std::string& cmd = w[0];
  auto arg = [&](std::size_t i) { return i < w.size() ? w[i] : std::string(); };

  if (cmd == "quit") {
    std::_Exit(0);
  } else if (cmd == "xboard") {
    xboard_ = true;
  } else if (cmd == "protover") {
    say("feature done=0");
    say("feature ping=1 setboard=1 playother=1 usermove=1 time=1 draw=0 sigint=0 sigterm=0 "
        "reuse=1 analyze=1 colors=0 san=0 ics=0 name=0 pause=0 nps=0 debug=0 memory=1 "
        "myname=\"Tolvane 1.0\" variants=\"normal\"");
    say("feature done=1");
  } else if (cmd == "accepted" || cmd == "rejected" || cmd == "random" || cmd == "computer" ||
             cmd == "name" || cmd == "rating" || cmd == "ics" || cmd == "draw" || cmd == "hint" ||
             cmd == "bk" || cmd == "cores" || cmd == "egtpath" || cmd == "option" || cmd == "nps" ||
             cmd == "?" || cmd == ".") {
    // Accepted and of no consequence here.
  } else if (cmd == "new") {
    game_.reset();
    searcher_.clear();
    force_ = false;
    analyzing_ = false;
    position_valid_ = true;
    engine_color_ = Black;
    depth_limit_ = 0;
    expected_reply_ = Move::none();
  } else if (cmd == "variant") {
    if (arg(1) != "normal") say("Error (unsupported variant): " + arg(1));
  } else if (cmd == "force") {
    force_ = true;
  } else if (cmd == "go") {
    force_ = false;
    if (!position_valid_) return;
    engine_color_ = game_.position().side_to_move();
    think_and_move();
  } else if (cmd == "playother") {
    force_ = false;
    engine_color_ = ~game_.position().side_to_move();
  } else if (cmd == "white" || cmd == "black") {
    // Protocol 1: the side to move becomes the given colour, the engine the other.
    force_ = false;
    engine_color_ = cmd == "white" ? Black : White;
  } else if (cmd == "level") {
    if (w.size() == 4) set_level(w[1], w[2], w[3]);
    else say("Error (bad level): " + line);
  } else if (cmd == "st") {
    try {
      move_time_ms_ = std::int64_t(std::stod(arg(1)) * 1000);
      use_level_ = false;
    } catch (...) {
      say("Error (bad time): " + line);
    }
  } else if (cmd == "sd") {
    try {
      depth_limit_ = std::max(0, std::stoi(arg(1)));
    } catch (...) {
      say("Error (bad depth): " + line);
    }
  } else if (cmd == "time") {
    try {
      time_left_ms_ = std::stoll(arg(1)) * 10;
    } catch (...) {
    }
  } else if (cmd == "otim") {
    // The opponent's clock plays no part in the plan.
  } else if (cmd == "usermove") {
    handle_move(arg(1));
  } else if (cmd == "ping") {
    say("pong" + (w.size() > 1 ? " " + rest_after_word(line) : std::string()));
  } else if (cmd == "result") {
    force_ = true;
    analyzing_ = false;
  } else if (cmd == "setboard") {
    std::string fen = rest_after_word(line);
    if (auto pos = Position::from_fen(fen)) {
      game_.set_position(*pos);
      position_valid_ = true;
      expected_reply_ = Move::none();
    } else {
      position_valid_ = false;
      say("Error (illegal position): " + fen);
    }
  } else if (cmd == "undo") {
    game_.take_back();
    expected_reply_ = Move::none();
  } else if (cmd == "remove") {
    game_.take_back();
    game_.take_back();
    expected_reply_ = Move::none();
  } else if (cmd == "hard") {
    ponder_ = true;
  } else if (cmd == "easy") {
    ponder_ = false;
  } else if (cmd == "post") {
    post_ = true;
  } else if (cmd == "nopost") {
    post_ = false;
  } else if (cmd == "analyze") {
    analyzing_ = true;
  } else if (cmd == "exit") {
    analyzing_ = false;
  } else if (cmd == "memory") {
    try {
      searcher_.resize(std::size_t(std::max(1, std::stoi(arg(1)))));
    } catch (...) {
    }
  } else if (cmd == "showboard") {
    for (const std::string& row : game_.position().picture()) say(row);
  } else if (cmd == "bench") {
    std::ostringstream text;
    run_bench(text);
    std::istringstream lines(text.str());
    for (std::string l; std::getline(lines, l);) say(l);
  } else if (w.size() == 1 && looks_like_move(cmd)) {
    handle_move(cmd);
  } else {
    say("Error (unknown command): " + cmd);
  }
}

}  // namespace tolvane
