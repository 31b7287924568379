#pragma once
// The application: builds the main window and does the idle-time work of the three-flag chain.
#include <memory>

#include <QApplication>
#include <QColor>
#include <QTimer>

class MainFrame;

class ChessApp : public QApplication {
  Q_OBJECT
 public:
  ChessApp(int& argc, char** argv);
  ~ChessApp() override;

  // Builds and shows the main window (a new one replaces an earlier one). Returns 1.
  int InitInstance();
  // Invalidates the board when a repaint is pending, then runs a pending computer move. Returns 1.
  int OnIdle(long count);

  MainFrame* main_frame() const { return main_frame_.get(); }

 private:
  bool idle_work_waiting() const;
  void on_about_to_block();
  void on_idle_timer();

  std::unique_ptr<MainFrame> main_frame_;
  // A timer object with interval 0 fires only after the paints already asked for, so the board is
  // on the screen before the computer starts to think.
  QTimer idle_timer_;
  long idle_count_ = 0;
};

// Light grey dialogs with black text.
void SetDialogBkColor(const QColor& background, const QColor& text);
