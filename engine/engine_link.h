#pragma once
// The link to the engine program: a child process spoken to over two pipes, one text line at a time.
#include <sys/types.h>
#include <cstdint>

constexpr int ABOUT_TEXT_SIZE = 16096;
constexpr int SEND_BUFFER_SIZE = 16096;
constexpr int COMMAND_LINE_SIZE = 5000;

// Lets the window repaint between the lines a wait reads; it must not start another command.
using PumpHook = void (*)();
void set_pump_hook(PumpHook hook);

class EngineLink {
 public:
  char about_text[ABOUT_TEXT_SIZE];
  int child_stdin_read = -1;
  int child_stdin_write = -1;
  int child_stdout_write = -1;
  int child_stdout_read = -1;
  char send_buffer[SEND_BUFFER_SIZE];
  pid_t process_id = 0;
  char command_line[COMMAND_LINE_SIZE];
  int32_t start_status = -1;  // 0 running, 1..4 failed start, -1 never started
  int32_t ping_counter = 1;
  bool ended = false;          // the running engine closed its output or a read failed

  EngineLink();
  ~EngineLink();  // runs shut_down at program exit

  void start_engine(int use_development_path);
  int send_line(const char* text);
  int read_line(char* buffer, int size);
  void shut_down();

  int read_greeting(char* buffer, int size, char* result);
  int wait_for_reply(char* buffer, int size, char* result);
  void synchronize();
};

// The one link of the program.
extern EngineLink engine_link;
