// The chess program's window.
#include "engine/engine_link.h"
#include "ui/app/chess_app.h"

int main(int argc, char** argv) {
  ChessApp app(argc, argv);
  if (!app.InitInstance()) return 1;
  const int status = app.exec();
  // However the window was closed, a running engine is told to quit and is ended.
  engine_link.shut_down();
  return status;
}
