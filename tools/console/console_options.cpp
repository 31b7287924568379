#include "tools/console/console_options.h"

const ProgramDescription CONSOLE_PROGRAM = {
    "tolvane-console",
    "[OPTION]...",
    "Play chess against the engine through the game logic's command interpreter: each line\n"
    "of standard input is one command.\n"
    "\n"
    "      --json     one line per input line: {\"message\": \"...\", \"result\": \"...\"}\n"
    "      --console  the console channel (boards, dumps) to standard error\n",
    "Commands (the first character selects one):\n"
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
    "\n"
    "The engine is tolvane.exe beside this program, in ../lib/tolvane from here (where an\n"
    "installation keeps it), in the current directory or along PATH.\n"
    "\n"
    "Environment:\n"
    "  TOLVANE_ENGINE  the engine's command line instead (words split at blanks)\n"
    "\n"
    "Exit status: 0 at the end of input or after .quit, 1 when the position tree is full,\n"
    "2 for an unknown argument.\n",
};
