#pragma once
// --help and --version in the usual form, answered alike by the three programs.
#include <ostream>

struct ProgramDescription {
  const char* name;      // the program's file name, as the usage line shows it
  const char* synopsis;  // what follows the name in the usage line
  const char* body;      // what the program does, then its own options, each line ending in '\n'
  const char* epilogue;  // after the option list (environment, files); may be empty
};

// Looks through the arguments, up to a lone "--", for "--help" and "--version"; answers the
// first one found on out and returns true, after which the program ends with status 0.
bool answer_standard_option(int argc, const char* const* argv, const ProgramDescription& program,
                            std::ostream& out);

// For an argument the program does not take (an option or an operand): two lines on out, the
// second pointing to --help.
void report_unknown_option(const ProgramDescription& program, const char* argument, std::ostream& out);
