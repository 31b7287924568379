// Starting and stopping the engine child process.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "common/bounded_text.h"
#include "common/engine_words.h"
#include "engine/engine_link.h"
#include "engine/program_lookup.h"

extern char** environ;

EngineLink engine_link;

namespace {

constexpr char DEVELOPMENT_COMMAND[] = "C:\\user\\schach\\pardux\\pardux\\tolvane\\Release\\tolvane.exe";
constexpr char DEVELOPMENT_DIRECTORY[] = "C:\\user\\schach\\pardux\\pardux\\tolvane\\Release";
constexpr int LOOKUP_SIZE = 4096;
constexpr int QUIT_GRACE_MS = 100;
constexpr int QUIT_POLL_MS = 5;

void close_descriptor(int& descriptor) {
  if (descriptor >= 0) ::close(descriptor);
  descriptor = -1;
}

// Waits up to the grace time for the child to end by itself, then kills it; reaps it either way.
void reap(pid_t child) {
  int status = 0;
  for (int waited = 0; waited < QUIT_GRACE_MS; waited += QUIT_POLL_MS) {
    const pid_t done = ::waitpid(child, &status, WNOHANG);
    if (done == child || (done < 0 && errno != EINTR)) return;
    ::usleep(QUIT_POLL_MS * 1000);
  }
  ::kill(child, SIGKILL);
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
}

void stop_engine(EngineLink& link) {
  if (link.start_status == 0) link.send_line("quit");
  // End of input as well, so an engine that stops there need not be waited for.
  close_descriptor(link.child_stdin_write);
  if (link.process_id > 0) reap(link.process_id);
  link.process_id = 0;
  close_descriptor(link.child_stdin_read);
  close_descriptor(link.child_stdin_write);
  close_descriptor(link.child_stdout_write);
  close_descriptor(link.child_stdout_read);
}

// Splits words (at blanks and tabs) in place into arguments; the list ends with a null.
void split_words(char* text, char** arguments, int capacity) {
  int count = 0;
  for (char* word = std::strtok(text, " \t"); word && count < capacity - 1;
       word = std::strtok(nullptr, " \t"))
    arguments[count++] = word;
  arguments[count] = nullptr;
}

// Spawns program with the pipes as its standard handles; 0 or the spawn error.
int spawn(EngineLink& link, const char* program, char** arguments, const char* directory) {
  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attributes;
  if (posix_spawn_file_actions_init(&actions) != 0) return ENOMEM;
  if (posix_spawnattr_init(&attributes) != 0) {
    posix_spawn_file_actions_destroy(&actions);
    return ENOMEM;
  }
  posix_spawn_file_actions_adddup2(&actions, link.child_stdin_read, STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, link.child_stdout_write, STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, link.child_stdout_write, STDERR_FILENO);
  if (directory) posix_spawn_file_actions_addchdir_np(&actions, directory);

  // An ignored SIGPIPE would be inherited across exec: the engine gets the default back. Its own
  // process group keeps a terminal's interrupt key away from it.
  sigset_t defaults;
  sigemptyset(&defaults);
  sigaddset(&defaults, SIGPIPE);
  sigset_t no_mask;
  sigemptyset(&no_mask);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  posix_spawnattr_setsigmask(&attributes, &no_mask);
  posix_spawnattr_setpgroup(&attributes, 0);
  posix_spawnattr_setflags(&attributes,
                           POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETPGROUP);

  const int error = posix_spawnp(&link.process_id, program, &actions, &attributes, arguments, environ);
  if (error != 0) link.process_id = 0;
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  return error;
}

// Pipes and process; returns the start status.
int launch(EngineLink& link, const char* program, const char* directory) {
  int output[2];
  if (::pipe(output) != 0) return 1;
  link.child_stdout_read = output[0];
  link.child_stdout_write = output[1];
  // Keeping the read end from the engine only matters for tidiness: a failure is let pass.
  ::fcntl(link.child_stdout_read, F_SETFD, FD_CLOEXEC);
  ::fcntl(link.child_stdout_write, F_SETFD, FD_CLOEXEC);

  int input[2];
  if (::pipe(input) != 0) return 2;
  link.child_stdin_read = input[0];
  link.child_stdin_write = input[1];
  ::fcntl(link.child_stdin_read, F_SETFD, FD_CLOEXEC);
  // An engine holding the write end of its own input would never see it close.
  if (::fcntl(link.child_stdin_write, F_SETFD, FD_CLOEXEC) != 0) return 3;

  char words[COMMAND_LINE_SIZE];
  std::memcpy(words, link.command_line, sizeof words);
  char* arguments[COMMAND_LINE_SIZE / 2 + 1];
  split_words(words, arguments, COMMAND_LINE_SIZE / 2 + 1);
  if (!arguments[0]) return 4;
  if (spawn(link, program ? program : arguments[0], arguments, directory) != 0) return 4;

  // Only the engine may hold its ends, or its end would never show as end of file here.
  close_descriptor(link.child_stdin_read);
  close_descriptor(link.child_stdout_write);
  return 0;
}

}  // namespace

EngineLink::EngineLink() {
  about_text[0] = '\0';
  send_buffer[0] = '\0';
  copy_text(command_line, sizeof command_line, ENGINE_PROGRAM_NAME);
}

EngineLink::~EngineLink() { shut_down(); }

void EngineLink::start_engine(int use_development_path) {
  stop_engine(*this);
  about_text[0] = '\0';
  ended = false;
  // A write to an ended engine must come back as a failed write, not end this program.
  ::signal(SIGPIPE, SIG_IGN);

  const char* replacement = std::getenv("TOLVANE_ENGINE");
  const char* directory = nullptr;
  const char* program = nullptr;  // none: the first word of the command line, along PATH
  char located[LOOKUP_SIZE];
  if (replacement && *replacement) {
    if (!copy_text(command_line, sizeof command_line, replacement)) {
      command_line[0] = '\0';
      start_status = 4;
      return;
    }
  } else {
    copy_text(command_line, sizeof command_line, use_development_path ? DEVELOPMENT_COMMAND : ENGINE_PROGRAM_NAME);
    if (use_development_path) directory = DEVELOPMENT_DIRECTORY;
    char beside[LOOKUP_SIZE];
    char installed[LOOKUP_SIZE];
    if (!running_executable_directory(beside, sizeof beside)) beside[0] = '\0';
    if (!beside[0] || !installed_engine_directory(beside, installed, sizeof installed)) installed[0] = '\0';
    const ProgramPlace place =
        locate_program(ENGINE_PROGRAM_NAME, beside, installed, std::getenv("PATH"), located, sizeof located);
    if (place == ProgramPlace::installed) {
      // Run by its path: the current directory stays the user's, where games are saved and loaded.
      if (!use_development_path) program = located;
    } else if (place != ProgramPlace::nowhere) {
      char* slash = std::strrchr(located, '/');
      *slash = '\0';
      const bool moved = ::chdir(located) == 0;
      *slash = '/';
      if (moved) {
        copy_text(located, sizeof located, "./");
        append_text(located, sizeof located, ENGINE_PROGRAM_NAME);
      }
      if (!use_development_path) program = located;
    }
  }
  start_status = launch(*this, program, directory);
  if (start_status != 0) stop_engine(*this);
}

void EngineLink::shut_down() {
  if (start_status != 0) return;
  stop_engine(*this);
  start_status = -1;
}
