#include "standard_options.h"

#include <cstring>

namespace {

void print_help(const ProgramDescription& program, std::ostream& out) {
  out << "Usage: " << program.name << ' ' << program.synopsis << '\n'
      << program.body
      << "      --help     display this help and exit\n"
         "      --version  output version information and exit\n";
  if (*program.epilogue) out << '\n' << program.epilogue;
}

void print_version(const ProgramDescription& program, std::ostream& out) {
  out << program.name << " (Tolvane) " << TOLVANE_VERSION << "\n"
      << "Copyright (C) " << TOLVANE_COPYRIGHT_YEAR << " the Tolvane developers.\n";
}

}  // namespace

bool answer_standard_option(int argc, const char* const* argv, const ProgramDescription& program,
                            std::ostream& out) {
  for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
    if (std::strcmp(argv[i], "--help") == 0) {
      print_help(program, out);
      return true;
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      print_version(program, out);
      return true;
    }
  }
  return false;
}

void report_unknown_option(const ProgramDescription& program, const char* argument, std::ostream& out) {
  out << program.name << (argument[0] == '-' ? ": unrecognized option '" : ": extra operand '") << argument << "'\n"
      << "Try '" << program.name << " --help' for more information.\n";
}
