#include "protocol/engine_options.h"

namespace tolvane {

const ProgramDescription ENGINE_PROGRAM = {
    "tolvane.exe",
    "[OPTION]... [bench [DEPTH]]",
    "The chess engine of Tolvane: reads commands on standard input and answers on standard\n"
    "output, in the xboard protocol (version 2), or in UCI when the first command is \"uci\".\n"
    "The chess window and tolvane-console start it by themselves.\n"
    "\n"
    "  bench [DEPTH]  search the benchmark positions to DEPTH (default 10) and print\n"
    "                   \"Nodes searched: N\"\n",
    "Levels: \"level tolvane 0 1\", \"3 1\", \"4 1\" and \"4 5\" choose levels 1 to 4, from\n"
    "short sight with an occasional slip up to full strength; other \"level\" commands\n"
    "set an xboard time control.\n",
};

}  // namespace tolvane
