// The engine program's readers of untrusted text, in process: a first line read as a FEN (as
// "setboard" and "position fen" take it), then lines read as moves to play (as "usermove" and the
// moves of "position" take them, before and after the game's end) or as the clock commands
// "level", "st", "sd" and "time". A move it reads must be legal, and the position it keeps must be
// the one its FEN describes.
#include "board/movegen.h"
#include "board/words.h"
#include "fuzz/fuzz_support.h"
#include "protocol/time_control.h"

namespace {

using namespace tolvane;

void read_clock_command(TimeControl& clock, const std::vector<std::string_view>& words) {
  if (words.size() == 4 && words[0] == "level") clock.set_level(words[1], words[2], words[3]);
  else if (words.size() == 2 && words[0] == "st") clock.set_move_time(words[1]);
  else if (words.size() == 2 && words[0] == "sd") clock.set_depth_limit(words[1]);
  else if (words.size() == 2 && words[0] == "time") clock.set_time_left(words[1]);
}

// The position read afresh from its own FEN: the same FEN, the same keys.
void require_reads_back(const Position& pos) {
  const std::string fen = pos.fen();
  const auto again = Position::from_fen(fen);
  require(again.has_value(), "a position's FEN reads back");
  require(again->fen() == fen, "a position's FEN reads back as itself");
  require(again->key() == pos.key() && again->pawn_key() == pos.pawn_key(), "keys kept move by move match");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<std::string> lines = input_lines(data, size);
  if (lines.empty()) return 0;
  const auto read = Position::from_fen(lines[0]);
  Position pos = read ? *read : Position::start();
  require_reads_back(pos);
  TimeControl clock;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const auto words = split_words(lines[i]);
    if (const auto move = parse_move(pos, lines[i])) {
      require(legal_moves(pos).contains(*move), "a move read is a legal move");
      pos.make(*move);
      require_reads_back(pos);
    } else {
      read_clock_command(clock, words);
    }
    const SearchLimits limits = clock.limits(pos, i);
    require(limits.clock.move_time_ms >= 0 && limits.depth >= 0, "the clock commands give usable limits");
  }
  return 0;
}
