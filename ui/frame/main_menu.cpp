#include "ui/frame/main_menu.h"

#include <QMenuBar>
#include <QShortcut>

const Accelerator MainAccelTable[5] = {
    {Qt::Key_F1, ID_ABOUT},        {Qt::Key_F2, ID_ENTER_MOVE}, {Qt::Key_F3, ID_POSSIBLE_MOVES},
    {Qt::Key_F7, ID_TURN_BOARD},   {Qt::Key_F8, ID_COMPUTER},
};

namespace {

// id 0 stands for a separator.
struct MenuEntry {
  int id;
  const char* text;  // an entry that shows a key: text, one tab, the key's name
};

struct PopUp {
  const char* title;
  std::initializer_list<MenuEntry> entries;
};

const PopUp main_menu[] = {
    {"&File",
     {{0, nullptr},
      {ID_NEW_GAME, "&New game"},
      {ID_SAVE_GAME, "&Save game"},
      {ID_LOAD_GAME, "&Load game"},
      {0, nullptr},
      {ID_EXIT, "&Exit chess program "}}},
    {"&Moves",
     {{ID_COMPUTER, "&Computer \tF8"},
      {ID_ENTER_MOVE, "Enter a m&ove \tF2"},
      {ID_POSSIBLE_MOVES, "&Possible moves \tF3"}}},
    {"Se&tup", {{ID_MAIN_SETUP, "&Main setup"}, {ID_TURN_BOARD, "&Turn board \tF7"}}},
    {"&Help",
     {{ID_ABOUT, "&About chess...\tF1"},
      {ID_ABOUT_ENGINE, "&About Tolvane engine"},
      {ID_INSTRUCTIONS, "&Instructions"}}},
};

}  // namespace

QMenuBar* build_main_menu(QWidget* parent, const std::function<void(int)>& on_command) {
  auto* bar = new QMenuBar(parent);
  bar->setObjectName(QStringLiteral("MainMenu"));
  for (const PopUp& pop_up : main_menu) {
    QMenu* menu = bar->addMenu(QString::fromLatin1(pop_up.title));
    for (const MenuEntry& entry : pop_up.entries) {
      if (entry.id == 0) {
        menu->addSeparator();
        continue;
      }
      QAction* action = menu->addAction(QString::fromLatin1(entry.text));
      action->setData(entry.id);
      const int id = entry.id;
      QObject::connect(action, &QAction::triggered, parent, [on_command, id] { on_command(id); });
    }
  }
  return bar;
}

void install_accelerators(QWidget* window, const std::function<void(int)>& on_command) {
  for (const Accelerator& accelerator : MainAccelTable) {
    auto* shortcut = new QShortcut(QKeySequence(accelerator.key), window);
    shortcut->setContext(Qt::WindowShortcut);
    const int id = accelerator.id;
    QObject::connect(shortcut, &QShortcut::activated, window, [on_command, id] { on_command(id); });
  }
}
