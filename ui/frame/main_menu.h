#pragma once
// The menu "MainMenu" with its four pop-ups, and the accelerator table "MainAccelTable".
#include <functional>

#include <Qt>

class QMenuBar;
class QWidget;

enum CommandId : int {
  ID_ABOUT = 100,
  ID_MAIN_SETUP = 109,
  ID_EXIT = 110,
  ID_NEW_GAME = 111,
  ID_COMPUTER = 120,
  ID_ENTER_MOVE = 121,
  ID_POSSIBLE_MOVES = 122,
  ID_SAVE_GAME = 1008,
  ID_LOAD_GAME = 1009,
  ID_TURN_BOARD = 1010,
  ID_INSTRUCTIONS = 32779,
  ID_ABOUT_ENGINE = 32780,
};

struct Accelerator {
  Qt::Key key;  // a function key without modifier
  int id;
};
extern const Accelerator MainAccelTable[5];

// Builds the menu bar; every entry hands its identifier to on_command. Each action carries its
// identifier as data.
QMenuBar* build_main_menu(QWidget* parent, const std::function<void(int)>& on_command);

// Binds the accelerator keys to the same identifiers within the window.
void install_accelerators(QWidget* window, const std::function<void(int)>& on_command);
