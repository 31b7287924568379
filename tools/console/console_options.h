#pragma once
// What tolvane-console answers to --help and --version.
#include "standard_options.h"

extern const ProgramDescription CONSOLE_PROGRAM;
