#pragma once
// What tolvane.exe answers to --help and --version.
#include "standard_options.h"

namespace tolvane {
extern const ProgramDescription ENGINE_PROGRAM;
}
