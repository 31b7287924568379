// A scripted engine for tests: started as a real child over real pipes, it answers from a script
// and appends every line it receives to a record file.
//
//   stand-in-engine [SCRIPT [RECORD]]       (defaults: $STAND_IN_SCRIPT, $STAND_IN_RECORD)
//
// Script lines ('#' starts a comment line):
//   greet LINE                      written at start, in order
//   on TRIGGER => REPLY | REPLY ... fires once; rules are tried in the order of the script
//   always TRIGGER => REPLY | ...   fires on every matching line
// A trigger matches a received line that equals it or starts with it followed by a blank;
// a trigger ending in '*' matches any line with that prefix, and "*" alone matches every line.
// Replies are written as lines; "@exit" ends the program at once (an engine dying mid-game),
// "@sleep MS" pauses. A line no rule matches: "ping N" is answered "pong N", "quit" ends the
// program, anything else gets no answer. End of input ends the program.
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

struct Rule {
  std::string trigger;
  std::vector<std::string> replies;
  bool repeats = false;
  bool used = false;
};

struct Script {
  std::vector<std::string> greeting;
  std::vector<Rule> rules;
};

std::string trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  return first == std::string::npos ? "" : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool parse_rule(const std::string& body, bool repeats, Rule& rule) {
  const auto arrow = body.find("=>");
  if (arrow == std::string::npos) return false;
  rule.trigger = trimmed(body.substr(0, arrow));
  rule.repeats = repeats;
  // The closing bar makes an empty last reply (nothing after "=>" or after a bar) a reply of its own.
  std::istringstream replies(body.substr(arrow + 2) + "|");
  for (std::string reply; std::getline(replies, reply, '|');) rule.replies.push_back(trimmed(reply));
  return true;
}

bool load_script(const char* path, Script& script) {
  std::ifstream in(path);
  if (!in) return false;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    Rule rule;
    if (line.rfind("greet ", 0) == 0) {
      script.greeting.push_back(line.substr(6));
    } else if ((line.rfind("on ", 0) == 0 && parse_rule(line.substr(3), false, rule)) ||
               (line.rfind("always ", 0) == 0 && parse_rule(line.substr(7), true, rule))) {
      script.rules.push_back(rule);
    } else {
      std::fprintf(stderr, "stand-in-engine: bad script line: %s\n", line.c_str());
      return false;
    }
  }
  return true;
}

bool matches(const std::string& trigger, const std::string& line) {
  if (trigger == "*") return true;
  if (!trigger.empty() && trigger.back() == '*')
    return line.compare(0, trigger.size() - 1, trigger, 0, trigger.size() - 1) == 0;
  if (line.compare(0, trigger.size(), trigger) != 0) return false;
  return line.size() == trigger.size() || line[trigger.size()] == ' ';
}

// Unbuffered, so a line is out before the program may end.
void write_line(const std::string& text) {
  const std::string line = text + "\n";
  size_t done = 0;
  while (done < line.size()) {
    const ssize_t n = ::write(STDOUT_FILENO, line.data() + done, line.size() - done);
    if (n <= 0) std::_Exit(0);  // the reader is gone
    done += static_cast<size_t>(n);
  }
}

void reply(const std::vector<std::string>& replies) {
  for (const std::string& text : replies) {
    if (text == "@exit") std::_Exit(0);
    if (text.rfind("@sleep ", 0) == 0)
      std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(text.c_str() + 7)));
    else
      write_line(text);
  }
}

void answer(Script& script, const std::string& line) {
  for (Rule& rule : script.rules) {
    if ((rule.used && !rule.repeats) || !matches(rule.trigger, line)) continue;
    rule.used = true;
    reply(rule.replies);
    return;
  }
  if (line.rfind("ping ", 0) == 0) write_line("pong " + line.substr(5));
  if (line == "quit") std::_Exit(0);
}

}  // namespace

int main(int argc, char** argv) {
  Script script;
  const char* script_path = argc > 1 ? argv[1] : std::getenv("STAND_IN_SCRIPT");
  if (script_path && *script_path && !load_script(script_path, script)) return 2;
  const char* record_path = argc > 2 ? argv[2] : std::getenv("STAND_IN_RECORD");
  const int record =
      record_path && *record_path ? ::open(record_path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644) : -1;

  reply(script.greeting);
  for (std::string line; std::getline(std::cin, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (record >= 0) {
      const std::string entry = line + "\n";
      if (::write(record, entry.data(), entry.size()) < 0) return 3;
    }
    answer(script, line);
  }
  return 0;
}
