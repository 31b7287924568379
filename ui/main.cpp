// The chess program's window.
#include <iostream>

#include "engine/engine_link.h"
#include "ui/app/chess_app.h"
#include "ui/board/application_icon.h"
#include "ui/chess_options.h"

int main(int argc, char** argv) {
  if (answer_standard_option(argc, argv, CHESS_PROGRAM, std::cout)) return 0;
  ChessApp app(argc, argv);
  app.setWindowIcon(application_icon());
  if (!app.InitInstance()) return 1;
  const int status = app.exec();
  // However the window was closed, a running engine is told to quit and is ended.
  engine_link.shut_down();
  return status;
}
