#pragma once
// The words the chess program and its engine program exchange: both sides read them from here, so
// they cannot drift apart.
#include <string_view>

inline constexpr char ENGINE_PROGRAM_NAME[] = "tolvane.exe";
inline constexpr char ENGINE_NAME_AND_VERSION[] = "Tolvane 1.0";

// The result lines of a finished game. The link takes every line that begins with DRAW_PREFIX as a
// draw, so a new draw reason needs no change on its side.
inline constexpr char WHITE_MATES[] = "1-0 {White mates}";
inline constexpr char BLACK_MATES[] = "0-1 {Black mates}";
inline constexpr char DRAW_PREFIX[] = "1/2-1/2 {";
inline constexpr char DRAW_BY_STALEMATE[] = "1/2-1/2 {Stalemate}";
inline constexpr char DRAW_BY_REPETITION[] = "1/2-1/2 {Draw by repetition}";
inline constexpr char DRAW_BY_FIFTY_MOVES[] = "1/2-1/2 {Fifty move rule}";
inline constexpr char DRAW_BY_MATERIAL[] = "1/2-1/2 {Insufficient material}";

// The four playing levels, weakest first, as two lines each: the strength, then the level itself.
struct LevelLines {
  const char* strength;
  const char* level;
};
inline constexpr LevelLines LEVEL_LINES[] = {
    {"easy", "level tolvane 0 1"},
    {"easy", "level tolvane 3 1"},
    {"easy", "level tolvane 4 1"},
    {"hard", "level tolvane 4 5"},
};
inline constexpr int LEVEL_COUNT = static_cast<int>(sizeof LEVEL_LINES / sizeof LEVEL_LINES[0]);

// The level (1 to LEVEL_COUNT) a level line names; 0 for any other line.
constexpr int level_number_of(std::string_view level_line) {
  for (int i = 0; i < LEVEL_COUNT; ++i)
    if (level_line == LEVEL_LINES[i].level) return i + 1;
  return 0;
}
