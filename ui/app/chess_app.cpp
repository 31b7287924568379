#include "ui/app/chess_app.h"

#include <QAbstractEventDispatcher>
#include <QPalette>

#include "ui/app/interpreter_calls.h"
#include "ui/frame/main_frame.h"

void SetDialogBkColor(const QColor& background, const QColor& text) {
  QPalette palette = QApplication::palette();
  palette.setColor(QPalette::Window, background);
  palette.setColor(QPalette::WindowText, text);
  palette.setColor(QPalette::Text, text);
  palette.setColor(QPalette::ButtonText, text);
  QApplication::setPalette(palette, "QDialog");
}

ChessApp::ChessApp(int& argc, char** argv) : QApplication(argc, argv) {
  idle_timer_.setInterval(0);
  connect(&idle_timer_, &QTimer::timeout, this, &ChessApp::on_idle_timer);
  // Idle time begins when the event loop has nothing left to do and is about to wait.
  connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
          &ChessApp::on_about_to_block);
  install_pump_hook();
}

ChessApp::~ChessApp() = default;

int ChessApp::InitInstance() {
  SetDialogBkColor(QColor(192, 192, 192), Qt::black);
  main_frame_.reset();
  main_frame_ = std::make_unique<MainFrame>();
  main_frame_->show_at_start();
  return 1;
}

int ChessApp::OnIdle(long) {
  MainFrame* frame = main_frame_.get();
  if (!frame) return 1;
  if (frame->repaint_pending != 0) {
    frame->client_area()->update();
    frame->repaint_pending = 0;
  }
  if (frame->computer_move_pending != 0) {
    frame->ComputerMove();
    frame->computer_move_pending = 0;
  }
  return 1;
}

bool ChessApp::idle_work_waiting() const {
  // A command that waits pumps events, and so does a modal dialog's own loop: idle work waits for
  // both to end, as no second command may start inside them.
  const MainFrame* frame = main_frame_.get();
  return frame && frame->accepts_input() && !activeModalWidget() &&
         (frame->repaint_pending != 0 || frame->computer_move_pending != 0);
}

void ChessApp::on_about_to_block() {
  if (idle_work_waiting() && !idle_timer_.isActive()) idle_timer_.start();
}

void ChessApp::on_idle_timer() {
  if (!idle_work_waiting()) {
    idle_timer_.stop();
    idle_count_ = 0;
    return;
  }
  OnIdle(idle_count_++);
}
