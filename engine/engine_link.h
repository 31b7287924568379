#pragma once
// The link to the engine program: a child process spoken to over two pipes, one text line at a time.
#include <sys/types.h>
#include <cstdint>

constexpr int ABOUT_TEXT_SIZE = 16096;
constexpr int SEND_BUFFER_SIZE = 16096;
constexpr int COMMAND_LINE_SIZE = 5000;
// The longest result text a read operation copies: the `result` it is given holds at least this.
constexpr int ENGINE_RESULT_SIZE = 500;

// Lets the window repaint between the lines a wait reads; it must not start another command.
using PumpHook = void (*)();
void set_pump_hook(PumpHook hook);
// Calls the installed hook, if any: between lines, and while a read waits for a silent engine.
void run_pump_hook();

class EngineLink {
 public:
  char about_text[ABOUT_TEXT_SIZE];
  int child_stdin_read = -1;    // the engine's ends: closed here once the engine has them,
  int child_stdin_write = -1;   // so that its end shows as end of file on child_stdout_read
  int child_stdout_write = -1;
  int child_stdout_read = -1;
  char send_buffer[SEND_BUFFER_SIZE];
  pid_t process_id = 0;
  char command_line[COMMAND_LINE_SIZE];
  int32_t start_status = -1;  // 0 running, 1..4 failed start, -1 never started (or shut down)
  int32_t ping_counter = 1;
  bool ended = false;          // the running engine closed its output or a read failed
  // The longest a read waits for the engine's next byte; -1 waits without limit. When the limit
  // passes the engine is taken as ended. Tests and unattended front ends set it.
  int read_time_limit_ms = -1;

  EngineLink();
  ~EngineLink();  // runs shut_down at program exit

  // Starts "tolvane.exe", looked up beside the running executable, then where an installation
  // keeps it (../lib/tolvane from there), then in the current directory, then along PATH; when
  // found anywhere but in the installation, its directory becomes the current directory of this
  // process. When TOLVANE_ENGINE is set, its value (words split at blanks) is the command line
  // instead and nothing is looked up or changed. A previous engine is stopped first. Result in
  // start_status: 1/2 a pipe could not be made, 3 the write end could not be kept from the
  // engine, 4 the program could not be started (also when it does not exist).
  void start_engine(int use_development_path);
  // Sends text up to its first carriage return, plus CR LF; returns the bytes of the line, or 0
  // when no engine runs. A failed write (an ended engine) is ignored.
  int send_line(const char* text);
  // Reads up to a line feed (not stored) or size - 1 characters. Returns at once with an empty
  // line when no engine runs or it has ended.
  int read_line(char* buffer, int size);
  // Tells the engine "quit", gives it 100 ms, then kills and reaps it and closes the pipes.
  // Only when an engine runs; afterwards the link is as never started.
  void shut_down();

  // True once the engine of the last successful start has ended: end of file or a read error on
  // its output, or the read time limit passed. Every read then returns an empty line at once and
  // every wait ends; the next start_engine begins afresh.
  bool engine_ended() const { return ended; }
  // Appends to about_text what fits of text.
  void append_about_text(const char* text);

  // Each returns the length of the last line read, which stays in buffer. A result line
  // ("1-0 {White mates}", "0-1 {Black mates}", "1/2-1/2 {...") is also copied into result.
  int read_greeting(char* buffer, int size, char* result);     // passes over "info" lines
  // Until a move, refusal, error or result; also until "pong pong_number" when that is not -1,
  // for a ping whose answer may be all the engine has to say.
  int wait_for_reply(char* buffer, int size, char* result, int pong_number = -1);
  // "ping N" up to "pong N": everything the engine said before the ping has then been read. A
  // result line among it is copied into result when one is given.
  void synchronize(char* result = nullptr);
};

// The one link of the program.
extern EngineLink engine_link;
