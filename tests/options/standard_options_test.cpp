#include "standard_options.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

const ProgramDescription WITH_EPILOGUE = {"prog", "[OPTION]... FILE", "Does one thing.\n\n  -x  an option\n",
                                          "Environment:\n  PROG_X  a variable\n"};
const ProgramDescription WITHOUT_EPILOGUE = {"other", "[OPTION]...", "Does another thing.\n", ""};

struct Answer { bool answered; std::string text; };

Answer answer(std::vector<const char*> arguments, const ProgramDescription& program = WITH_EPILOGUE) {
  arguments.insert(arguments.begin(), "/some/where/prog");
  std::ostringstream out;
  const bool answered = answer_standard_option(static_cast<int>(arguments.size()), arguments.data(), program, out);
  return {answered, out.str()};
}

TEST(StandardOptions, HelpShowsUsageBodyTheTwoOptionsAndTheEpilogue) {
  const Answer help = answer({"-x", "--help"});
  ASSERT_TRUE(help.answered);
  EXPECT_EQ(help.text,
            "Usage: prog [OPTION]... FILE\n"
            "Does one thing.\n\n  -x  an option\n"
            "      --help     display this help and exit\n"
            "      --version  output version information and exit\n"
            "\n"
            "Environment:\n  PROG_X  a variable\n");
  const std::string plain = answer({"--help"}, WITHOUT_EPILOGUE).text;
  const std::string last_line = "      --version  output version information and exit\n";
  ASSERT_GT(plain.size(), last_line.size());
  EXPECT_EQ(plain.substr(plain.size() - last_line.size()), last_line);
}

TEST(StandardOptions, VersionNamesTheProgramThePackageAndItsVersion) {
  const Answer version = answer({"--version"}, WITHOUT_EPILOGUE);
  ASSERT_TRUE(version.answered);
  EXPECT_EQ(version.text.substr(0, version.text.find('\n')), "other (Tolvane) " EXPECTED_VERSION);
  EXPECT_NE(version.text.find("\nCopyright (C) "), std::string::npos);
}

TEST(StandardOptions, TheFirstOfTheTwoWinsAndNothingElseIsTaken) {
  EXPECT_EQ(answer({"--version", "--help"}).text.rfind("prog (Tolvane)", 0), 0u);
  EXPECT_EQ(answer({"--help", "--version"}).text.rfind("Usage:", 0), 0u);
  for (const auto& arguments : std::vector<std::vector<const char*>>{
           {}, {"-h"}, {"-help"}, {"--helpme"}, {"--versions"}, {"help"}, {"--", "--help"}, {"x", "--", "--version"}}) {
    const Answer none = answer(arguments);
    EXPECT_FALSE(none.answered) << arguments.size();
    EXPECT_EQ(none.text, "");
  }
}

TEST(StandardOptions, AnUnknownArgumentIsNamedAndPointsToHelp) {
  std::ostringstream out;
  report_unknown_option(WITH_EPILOGUE, "--bogus", out);
  report_unknown_option(WITH_EPILOGUE, "stray", out);
  EXPECT_EQ(out.str(),
            "prog: unrecognized option '--bogus'\nTry 'prog --help' for more information.\n"
            "prog: extra operand 'stray'\nTry 'prog --help' for more information.\n");
}

}  // namespace
