#pragma once
// What tolvane-chess answers to --help and --version, before any display is opened.
#include "standard_options.h"

extern const ProgramDescription CHESS_PROGRAM;
