// What xboard and UCI answer alike, each in its own words around it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "board/position.h"
#include "search/search.h"

namespace tolvane {

// The benchmark's lines, each said on its own.
void say_bench();
// The nine lines of the board picture.
void say_board(const Position& pos);

// Moves (not plies) to the mate a score announces: positive when the side to
// move mates, negative when it is mated; nothing for other scores.
std::optional<int> mate_in_moves(int score);

// The moves of a line, each after a blank: " e2e4 e7e5".
std::string pv_text(const std::vector<Move>& pv);

// Gives the table the size in megabytes the text names (at most MaxHashMb).
// The reason it was refused when the text is no number of at least 1 or the
// memory cannot be had; the old table stays then.
constexpr int MaxHashMb = 1024;
std::optional<std::string> resize_hash(Searcher& searcher, std::string_view megabytes);

// Sets the searcher's threads (at most MaxThreads) to the number the text
// names; the reason it was refused when the text is no number of at least 1.
std::optional<std::string> set_threads(Searcher& searcher, std::string_view count);

// A whole number, or nothing for any other text.
std::optional<std::int64_t> parse_integer(std::string_view text);

}  // namespace tolvane
