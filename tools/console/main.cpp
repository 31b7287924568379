// tolvane-console: plays a game by interpreter commands read from standard input.
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

#include "driver/output_channel.h"
#include "tools/console/console_session.h"
#include "tools/console/json_text.h"

namespace {

constexpr const char* USAGE =
    "usage: tolvane-console [--json] [--console] [--help]\n"
    "Each line of standard input is one command; its first character selects it:\n"
    "  B<move>   play a move (e2e4, e7e8D, e1g1, 0-0, or the number of a listed move)\n"
    "  c, c1-c4  let the engine move, at level 1 to 4 (c: the level set last)\n"
    "  Z<move>   play a move and let the engine answer at once\n"
    "  lf, ln    first and next legal move; ll the last move played; l the board (console)\n"
    "  8<move>   step forward by a move; 9 step back one move\n"
    "  0         new game without setting up the board (then 8 builds the base node)\n"
    "  F, F0     engine use on or off; V the engine's about text; Y its board picture\n"
    "  X         tell the engine to quit\n"
    "  1 S s     the board; 2 flip Fast_mode and dump the board; 3 the board with attack counts;\n"
    "  5         the board and the current node (all on the console channel)\n"
    "  $ $1-$3   own move choice by material at level 1 to 3 (not played); $p, $1p-$3p also play it\n"
    "  \\x9C      (byte 0x9C) mate search, depths 1, 3, ... 19; the mating move is not played\n"
    "  +         good-move bound = the number of moves; ? seed 15 and 19 random numbers\n"
    "  6, 7      move one piece by two squares read from the input (decimal, a1 = 0), take it back\n"
    "  @         switch the console input\n"
    "Lines of the front end itself: .new (a new game from the initial position), .quit.\n"
    "  --json     one line per input line: {\"message\": \"...\", \"result\": \"...\"}\n"
    "  --console  the console channel (boards, dumps) to standard error\n"
    "The engine is tolvane.exe beside this program, in the current directory or along PATH;\n"
    "TOLVANE_ENGINE replaces its command line.\n";

// A person reads the message, and a result once, when it appears.
void print_for_person(const CommandReply& reply, std::string& result_shown) {
  if (!reply.message.empty()) {
    std::cout << reply.message;
    if (reply.message.back() != '\n') std::cout << '\n';
  }
  if (!reply.result.empty() && reply.result != result_shown) std::cout << reply.result << '\n';
  result_shown = reply.result;
  std::cout.flush();
}

void print_as_json(const CommandReply& reply) {
  std::cout << "{\"message\": " << json_string(reply.message) << ", \"result\": " << json_string(reply.result)
            << "}" << std::endl;
}

}  // namespace

int main(int argc, char** argv) {
  bool json = false;
  for (int i = 1; i < argc; ++i) {
    if (strcmp(argv[i], "--json") == 0) {
      json = true;
    } else if (strcmp(argv[i], "--console") == 0) {
      set_console_sink(stderr);
    } else if (strcmp(argv[i], "--help") == 0) {
      std::cout << USAGE;
      return 0;
    } else {
      std::cerr << USAGE;
      return 2;
    }
  }

  ConsoleSession session;
  std::string result_shown;
  for (std::string line; std::getline(std::cin, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    CommandReply reply;
    const bool quit = line == ".quit";
    if (line == ".new") {
      session.new_game();
    } else if (!line.empty() && line[0] == '.') {
      // Lines of the front end never reach the interpreter.
      if (!quit) reply.message = "unknown front-end command " + line + " (.new, .quit)";
    } else {
      reply = session.run(line);
    }
    if (json)
      print_as_json(reply);
    else
      print_for_person(reply, result_shown);
    if (quit) break;
  }
  session.exit_program();
  return 0;
}
