#include "protocol/xboard.h"

#include <algorithm>
#include <cctype>
#include <random>

#include "board/movegen.h"
#include "board/words.h"
#include "protocol/output.h"
#include "protocol/replies.h"

namespace tolvane {
namespace {

// Thinking output shows a mate in n moves as 100000 + n (mated: -100000 - n).
constexpr int XboardMateScore = 100000;
// Varies the weak levels' slips from move to move.
constexpr std::uint64_t SeedStep = 0x9E3779B97F4A7C15ULL;

char lower(char c) { return char(std::tolower(static_cast<unsigned char>(c))); }
bool is_file_letter(char c) { return lower(c) >= 'a' && lower(c) <= 'h'; }
bool is_digit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

// A word the dialogue takes as a move attempt rather than a command: square
// letters in either case and digits, like "e2e4", "E7E8Q" or a mistyped "e2e9".
bool looks_like_move(std::string_view word) {
  return word.size() >= 4 && word.size() <= 5 && is_file_letter(word[0]) && is_digit(word[1]) &&
         is_file_letter(word[2]) && is_digit(word[3]);
}

// The move text of a move command, lower case with English promotion letters.
std::string move_of_command(std::string_view line) {
  const auto w = split_words(line);
  std::string text;
  if (w.size() == 2 && w[0] == "usermove") text = w[1];
  else if (w.size() == 1 && looks_like_move(w[0])) text = w[0];
  std::transform(text.begin(), text.end(), text.begin(), lower);
  if (text.size() == 5) {
    constexpr std::string_view German = "dtls", English = "qrbn";
    if (auto at = German.find(text[4]); at != std::string_view::npos) text[4] = English[at];
  }
  return text;
}

}  // namespace

XboardSession::XboardSession(CommandQueue& queue, Searcher& searcher)
    : queue_(queue), searcher_(searcher), seed_(std::random_device{}()) {
  control_.on_info = [this](const SearchInfo& info) { report(info); };
}

const XboardSession::Command* XboardSession::find_command(std::string_view word) {
  for (const Command& c : commands())
    if (c.word == word) return &c;
  return nullptr;
}

XboardSession::OnSearch XboardSession::effect_on_search(const std::string& line) {
  const auto words = split_words(line);
  if (words.empty()) return OnSearch::Keeps;
  const Command* c = find_command(words[0]);
  return c ? c->on_search : OnSearch::Interrupts;  // moves, and words it does not know
}

bool XboardSession::filter(const std::string& line, const std::deque<std::string>& pending) {
  const Activity now = activity_.load();
  if (line == "?") {
    if (now == Activity::Thinking) control_.request_stop();
    return now == Activity::Idle;  // before a search starts it is kept for that search
  }
  if (line == ".") return false;  // analysis status requests; the thinking lines say it all
  switch (now) {
    case Activity::Idle:
      break;
    case Activity::Thinking:
      if (effect_on_search(line) == OnSearch::Abandons) {
        abandon_ = true;
        control_.request_stop();
      }
      break;
    case Activity::Analyzing:
      control_.request_stop();
      break;
    case Activity::Pondering:
      filter_while_pondering(line, pending);
      break;
  }
  return true;
}

void XboardSession::filter_while_pondering(const std::string& line, const std::deque<std::string>& pending) {
  if (effect_on_search(line) == OnSearch::Keeps) return;
  const bool only_keeps_before = std::all_of(pending.begin(), pending.end(), [](const std::string& p) {
    return effect_on_search(p) == OnSearch::Keeps;
  });
  if (only_keeps_before && !ponder_text_.empty() && move_of_command(line) == ponder_text_) {
    // The expected move: the ponder search becomes the search for our reply.
    control_.report_ponderhit();
    activity_ = Activity::Thinking;
    return;
  }
  control_.request_stop();
}

void XboardSession::report(const SearchInfo& info) const {
  if (!post_ && activity_.load() != Activity::Analyzing) return;
  int score = info.score;
  if (auto mate = mate_in_moves(score)) score = (*mate > 0 ? XboardMateScore : -XboardMateScore) + *mate;
  say(std::to_string(info.depth) + ' ' + std::to_string(score) + ' ' + std::to_string(info.time_ms / 10) + ' ' +
      std::to_string(info.nodes) + pv_text(info.pv));
}

SearchLimits XboardSession::limits_for_move() const {
  return time_.limits(game_.position(), seed_ + std::uint64_t(game_.moves_played()) * SeedStep);
}

bool XboardSession::announce_result() const {
  const auto over = game_.result();
  if (over) say(*over);
  return over.has_value();
}

void XboardSession::play_engine_move(const SearchResult& result) {
  if (!result.best.is_none()) {
    game_.play(result.best);
    expected_reply_ = result.ponder.is_none() ? searcher_.table_move(game_.position()) : result.ponder;
    say("move " + move_to_text(result.best));
  }
  announce_result();
}

void XboardSession::think_and_move() {
  if (announce_result()) return;
  // A "?" that came in while the move was being read stops this search too.
  arm_search(queue_, control_, *this, [this] {
    abandon_ = false;
    activity_ = Activity::Thinking;
  });
  const SearchResult result = searcher_.think(game_.position(), limits_for_move(), control_);
  activity_ = Activity::Idle;
  if (!abandon_) play_engine_move(result);
}

void XboardSession::ponder() {
  const Position& pos = game_.position();
  if (expected_reply_.is_none() || !legal_moves(pos).contains(expected_reply_)) return;
  const Move guess = expected_reply_;
  const bool started = arm_search(queue_, control_, *this, [&] {
    abandon_ = false;
    ponder_text_ = move_to_text(guess);
    activity_ = Activity::Pondering;
  }, true);
  if (!started) return;
  Position after = pos;
  after.make(guess);
  SearchLimits limits = limits_for_move();
  limits.ponder = true;
  const SearchResult result = searcher_.think(after, limits, control_);
  const bool hit = control_.ponderhit_reported();
  activity_ = Activity::Idle;
  // Interrupted by another command: the same guess serves when pondering resumes.
  if (hit) finish_ponder_hit(guess, result);
}

void XboardSession::finish_ponder_hit(Move guess, const SearchResult& result) {
  expected_reply_ = Move::none();
  // Everything queued up to the expected move only set values; then the move itself.
  const std::string guess_text = move_to_text(guess);
  for (std::string line = queue_.pop(); move_of_command(line) != guess_text; line = queue_.pop()) execute(line);
  game_.play(guess);
  if (announce_result()) return;
  if (!abandon_) play_engine_move(result);
}

void XboardSession::analyse() {
  if (!arm_search(queue_, control_, *this, [this] { activity_ = Activity::Analyzing; }, true)) return;
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

void XboardSession::handle_move(std::string_view text) {
  if (position_valid_ && announce_result()) return;
  const auto m = position_valid_ ? parse_move(game_.position(), text) : std::nullopt;
  if (!m) {
    say("Illegal move: " + std::string(text));
    return;
  }
  game_.play(*m);
  expected_reply_ = Move::none();
  if (announce_result() || analyzing_ || force_) return;
  // The program's own dialogue expects an answer to every move.
  if (!xboard_) engine_color_ = game_.position().side_to_move();
  if (game_.position().side_to_move() == engine_color_) think_and_move();
}

void XboardSession::execute(const std::string& line) {
  const Words words = split_words(line);
  if (words.empty()) return;
  if (const Command* command = find_command(words[0])) command->run(*this, words, line);
  else if (words.size() == 1 && looks_like_move(words[0])) handle_move(words[0]);
  else say("Error (unknown command): " + std::string(words[0]));
}

}  // namespace tolvane
