#pragma once
// Plumbing the fuzz targets share: the input cut into lines, a fresh game with no person and no
// leftover engine, and a scratch file.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/console/console_session.h"

// The input cut at line feeds (not kept); a last line without one counts too.
std::vector<std::string> input_lines(const uint8_t* data, size_t size);

// A new game as the window starts one, every interpreter global reset and no engine running;
// standard input reads as empty, so no command can wait for a person. With use_engine off,
// no command starts an engine.
ConsoleSession& fresh_game(bool use_engine);

// Runs the commands, then stops the engine; fails if an engine process of theirs is left.
void run_commands(ConsoleSession& game, const std::vector<std::string>& commands);

// A file holding exactly data, at a path that stays the same for the whole run.
const std::string& scratch_file(const uint8_t* data, size_t size);

// Ends the run with a report when condition is false; libFuzzer records the input.
void require(bool condition, const char* what);
