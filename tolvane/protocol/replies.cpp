#include "protocol/replies.h"

#include <algorithm>
#include <charconv>
#include <new>
#include <sstream>

#include "protocol/output.h"
#include "search/bench.h"

namespace tolvane {

void say_bench() {
  std::ostringstream text;
  run_bench(text);
  std::istringstream lines(text.str());
  for (std::string line; std::getline(lines, line);) say(line);
}

void say_board(const Position& pos) {
  for (const std::string& row : pos.picture()) say(row);
}

std::optional<int> mate_in_moves(int score) {
  if (score >= MateBound) return (MateScore - score + 1) / 2;
  if (score <= -MateBound) return -(MateScore + score) / 2;
  return std::nullopt;
}

std::string pv_text(const std::vector<Move>& pv) {
  std::string text;
  for (Move m : pv) text += ' ' + move_to_text(m);
  return text;
}

std::optional<std::int64_t> parse_integer(std::string_view text) {
  std::int64_t value = 0;
  const char* end = text.data() + text.size();
  auto [stop, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || stop != end || text.empty()) return std::nullopt;
  return value;
}

std::optional<std::string> resize_hash(Searcher& searcher, std::string_view megabytes) {
  const auto size = parse_integer(megabytes);
  if (!size || *size < 1) return "no size in megabytes: " + std::string(megabytes);
  try {
    searcher.resize(std::size_t(std::min<std::int64_t>(*size, MaxHashMb)));
  } catch (const std::bad_alloc&) {
    return "not enough memory for " + std::string(megabytes) + " MB";
  }
  return std::nullopt;
}

std::optional<std::string> set_threads(Searcher& searcher, std::string_view count) {
  const auto threads = parse_integer(count);
  if (!threads || *threads < 1) return "no number of threads: " + std::string(count);
  searcher.set_threads(int(std::min<std::int64_t>(*threads, MaxThreads)));
  return std::nullopt;
}

}  // namespace tolvane
