#include "ui/chess_options.h"

const ProgramDescription CHESS_PROGRAM = {
    "tolvane-chess",
    "[OPTION]...",
    "Play chess against the computer in a window. Moves are made with the mouse, typed,\n"
    "or picked from the list of possible moves; games are saved and loaded as .chd files.\n"
    "The computer's moves come from the engine program tolvane.exe.\n"
    "\n",
    "The window also takes the toolkit's own options, such as -platform and -display.\n"
    "\n"
    "The engine is tolvane.exe beside this program, in ../lib/tolvane from here (where an\n"
    "installation keeps it), in the current directory or along PATH.\n"
    "\n"
    "Environment:\n"
    "  TOLVANE_ENGINE  the engine's command line instead (words split at blanks)\n",
};
