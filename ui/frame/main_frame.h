#pragma once
// The main window: the board over the whole client area, the menu, and every road a move takes.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <QMainWindow>

#include "ui/board/piece_bitmaps.h"
#include "ui/frame/game_document.h"

class QPainter;
class BoardArea;
class SetupDialog;

constexpr int32_t NO_SQUARE = 10;

// The flags of the mouse-message that OnLButtonDown looks at.
enum MouseFlags : unsigned {
  MOUSE_LEFT_BUTTON = 0x01,
  MOUSE_RIGHT_BUTTON = 0x02,
  MOUSE_SHIFT = 0x04,
  MOUSE_CONTROL = 0x08,
  MOUSE_MIDDLE_BUTTON = 0x10,
  MOUSE_X_BUTTON_1 = 0x20,
  MOUSE_X_BUTTON_2 = 0x40,
};

class MainFrame : public QMainWindow {
  Q_OBJECT
 public:
  MainFrame();
  ~MainFrame() override;

  int32_t repaint_pending = 0;
  int32_t computer_move_pending = 0;
  int32_t answer_after_paint = 0;
  int32_t click_column = 0;
  int32_t click_row = 0;
  int32_t selected_column = NO_SQUARE;
  int32_t selected_row = NO_SQUARE;
  PieceBitmaps piece_bitmaps;
  std::unique_ptr<GameDocument> document;
  std::unique_ptr<SetupDialog> setup_dialog;
  int32_t square_selected = 0;
  int32_t board_turned = 0;

  // Sends "B" and a move text, and shows what became of it.
  void SubmitUserMove(const char* command);
  void ComputerMove();
  void NewGame();
  void TurnBoard();
  void SaveGame();
  void LoadGame();

  // The menu and accelerator commands by identifier.
  void OnCommand(int id);
  void OnLButtonDown(unsigned flags, QPoint point);
  void DrawBoard(QPainter& dc, const QRect& rect);

  // The board's part of the window, below the menu.
  QWidget* client_area() const;

  // Shows the window maximized, with a restored size of about two thirds of the screen; where
  // maximizing is not honoured it is sized to the screen a moment later.
  void show_at_start();
  // Where maximizing was not honoured (no window manager, or one that ignores the request): the
  // window takes the screen's free area itself.
  void fill_screen_unless_maximized();

  // While a command runs, no other may start; only closing is taken, and it ends the wait.
  bool accepts_input() const;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void EnterMove();
  void PossibleMoves();
  void AboutBox();
  void AboutEngine();
  void Instructions();
  void Exit();
  // After every command: true when the window was closed while it waited, then it closes now.
  bool closed_during_command();

  // Loading: the moves of a game are played again as a new game.
  void replay(const std::vector<std::string>& moves);

  BoardArea* board_area_;
  bool close_after_command_ = false;
  // Where the file dialogs open: the folder of the last game saved or loaded, at first the folder
  // the program was started in (the engine's start may change the current folder later).
  QString game_folder_;
};
