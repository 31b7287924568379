// tolvane-console: plays a game by interpreter commands read from standard input.
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

#include "driver/output_channel.h"
#include "tools/console/console_options.h"
#include "tools/console/console_session.h"
#include "tools/console/json_text.h"

namespace {

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
  if (answer_standard_option(argc, argv, CONSOLE_PROGRAM, std::cout)) return 0;
  bool json = false;
  for (int i = 1; i < argc; ++i) {
    if (strcmp(argv[i], "--json") == 0) {
      json = true;
    } else if (strcmp(argv[i], "--console") == 0) {
      set_console_sink(stderr);
    } else {
      report_unknown_option(CONSOLE_PROGRAM, argv[i], std::cerr);
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
