// The xboard commands: the word, what it does, and what it does to a search
// under way (see XboardSession::OnSearch).
#include <string>

#include "board/words.h"
#include "common/engine_words.h"
#include "protocol/output.h"
#include "protocol/replies.h"
#include "protocol/xboard.h"

namespace tolvane {
namespace {

std::string_view arg(const std::vector<std::string_view>& words, std::size_t i) {
  return i < words.size() ? words[i] : std::string_view();
}

void refuse(std::string_view what, std::string_view line) {
  say("Error (" + std::string(what) + "): " + std::string(line));
}

void say_features() {
  say("feature done=0");
  say("feature ping=1 setboard=1 playother=1 usermove=1 time=1 draw=0 sigint=0 sigterm=0 "
      "reuse=1 analyze=1 colors=0 san=0 ics=0 name=0 pause=0 nps=0 debug=0 memory=1 smp=1 "
      "myname=\"" + std::string(ENGINE_NAME_AND_VERSION) + "\" variants=\"normal\"");
  say("feature done=1");
}

}  // namespace

void XboardSession::start_new_game() {
  game_.reset();
  searcher_.clear();
  force_ = false;
  analyzing_ = false;
  position_valid_ = true;
  engine_color_ = Black;
  time_.lift_depth_limit();
  expected_reply_ = Move::none();
}

void XboardSession::set_board(std::string_view fen) {
  expected_reply_ = Move::none();
  const auto pos = Position::from_fen(fen);
  position_valid_ = pos.has_value();
  if (pos) game_.set_position(*pos);
  else refuse("illegal position", fen);
}

void XboardSession::take_back(int moves) {
  for (int i = 0; i < moves; ++i) game_.take_back();
  expected_reply_ = Move::none();
}

std::span<const XboardSession::Command> XboardSession::commands() {
  using S = XboardSession;
  using W = const Words&;
  using L = std::string_view;
  constexpr OnSearch Keeps = OnSearch::Keeps, Interrupts = OnSearch::Interrupts, Abandons = OnSearch::Abandons;
  constexpr auto ignore = [](S&, W, L) {};
  static const Command table[] = {
      {"xboard", [](S& s, W, L) { s.xboard_ = true; }, Interrupts},
      {"protover", [](S&, W, L) { say_features(); }, Interrupts},
      {"new", [](S& s, W, L) { s.start_new_game(); }, Abandons},
      {"variant", [](S&, W w, L) { if (arg(w, 1) != "normal") refuse("unsupported variant", arg(w, 1)); },
       Interrupts},
      {"force", [](S& s, W, L) { s.force_ = true; }, Abandons},
      {"go",
       [](S& s, W, L) {
         s.force_ = false;
         if (!s.position_valid_) return;
         s.engine_color_ = s.game_.position().side_to_move();
         s.think_and_move();
       },
       Interrupts},
      {"playother",
       [](S& s, W, L) {
         s.force_ = false;
         s.engine_color_ = ~s.game_.position().side_to_move();
       },
       Abandons},
      // Protocol 1: the side to move becomes the given colour, the engine the other.
      {"white", [](S& s, W, L) { s.force_ = false, s.engine_color_ = Black; }, Interrupts},
      {"black", [](S& s, W, L) { s.force_ = false, s.engine_color_ = White; }, Interrupts},
      {"level", [](S& s, W w, L l) { if (w.size() != 4 || !s.time_.set_level(w[1], w[2], w[3])) refuse("bad level", l); },
       Keeps},
      {"st", [](S& s, W w, L l) { if (!s.time_.set_move_time(arg(w, 1))) refuse("bad time", l); }, Interrupts},
      {"sd", [](S& s, W w, L l) { if (!s.time_.set_depth_limit(arg(w, 1))) refuse("bad depth", l); }, Interrupts},
      {"time", [](S& s, W w, L l) { if (!s.time_.set_time_left(arg(w, 1))) refuse("bad time", l); }, Keeps},
      {"otim", ignore, Keeps},  // the opponent's clock plays no part in the plan
      {"usermove", [](S& s, W w, L) { s.handle_move(arg(w, 1)); }, Interrupts},
      {"ping", [](S&, W w, L l) { say(w.size() > 1 ? "pong " + std::string(after_first_word(l)) : "pong"); },
       Interrupts},
      {"result", [](S& s, W, L) { s.force_ = true, s.analyzing_ = false; }, Abandons},
      {"setboard", [](S& s, W, L l) { s.set_board(after_first_word(l)); }, Abandons},
      {"undo", [](S& s, W, L) { s.take_back(1); }, Abandons},
      {"remove", [](S& s, W, L) { s.take_back(2); }, Abandons},
      {"hard", [](S& s, W, L) { s.ponder_ = true; }, Keeps},
      {"easy", [](S& s, W, L) { s.ponder_ = false; }, Interrupts},
      {"post", [](S& s, W, L) { s.post_ = true; }, Keeps},
      {"nopost", [](S& s, W, L) { s.post_ = false; }, Keeps},
      {"analyze", [](S& s, W, L) { s.analyzing_ = true; }, Abandons},
      {"exit", [](S& s, W, L) { s.analyzing_ = false; }, Abandons},
      {"memory",
       [](S& s, W w, L) {
         if (auto refused = resize_hash(s.searcher_, arg(w, 1))) refuse("bad memory", *refused);
       },
       Interrupts},
      {"cores",
       [](S& s, W w, L) {
         if (auto refused = set_threads(s.searcher_, arg(w, 1))) refuse("bad cores", *refused);
       },
       Interrupts},
      {"showboard", [](S& s, W, L) { say_board(s.game_.position()); }, Interrupts},
      {"bench", [](S&, W, L) { say_bench(); }, Interrupts},
      // Accepted and of no consequence here; a "?" left over from a search already ended.
      {"accepted", ignore, Keeps}, {"rejected", ignore, Keeps}, {"random", ignore, Keeps},
      {"computer", ignore, Keeps}, {"name", ignore, Keeps},     {"rating", ignore, Keeps},
      {"ics", ignore, Keeps},      {"draw", ignore, Keeps},     {"hint", ignore, Keeps},
      {"bk", ignore, Keeps},       {"egtpath", ignore, Keeps},
      {"option", ignore, Keeps},   {"nps", ignore, Keeps},      {"?", ignore, Keeps},
  };
  return table;
}

}  // namespace tolvane
