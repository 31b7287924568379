// The main window's sizes: a board that stays usable however small the window is made, a restored
// size of about two thirds of the screen, and the whole screen where maximizing is not honoured.
#include <QMenuBar>
#include <algorithm>
#include <QScreen>
#include <QTimer>

#include "ui/frame/main_frame.h"

namespace {

// The smallest board on which pieces can still be told apart and hit with the mouse.
constexpr int SMALLEST_BOARD_PIXELS = 320;
// How long a window manager is given to maximize the new window before it is taken as ignored.
constexpr int MAXIMIZE_WAIT_MS = 1000;

// Within a tenth of the screen's free area in both directions: as good as maximized.
bool covers_most_of(const QRect& window, const QRect& screen_area) {
  return window.width() * 10 >= screen_area.width() * 9 && window.height() * 10 >= screen_area.height() * 9;
}

}  // namespace

void MainFrame::show_at_start() {
  // Wide enough for the whole menu bar, tall enough for the menu above the smallest board.
  const QSize menu = menuBar()->sizeHint();
  setMinimumSize(std::max(SMALLEST_BOARD_PIXELS, menu.width()), SMALLEST_BOARD_PIXELS + menu.height());
  const QRect screen_area = screen()->availableGeometry();
  QRect restored(QPoint(), QSize(screen_area.width() * 2 / 3, screen_area.height() * 2 / 3).expandedTo(minimumSize()));
  restored.moveCenter(screen_area.center());
  setGeometry(restored);
  showMaximized();
  QTimer::singleShot(MAXIMIZE_WAIT_MS, this, &MainFrame::fill_screen_unless_maximized);
}

void MainFrame::fill_screen_unless_maximized() {
  if (!isVisible() || isMinimized()) return;
  const QRect screen_area = screen()->availableGeometry();
  const QRect outer = frameGeometry();
  if (covers_most_of(outer, screen_area)) return;
  // The frame a window manager may draw around the window stays on the screen too.
  const QRect inner = geometry();
  const QMargins decoration(inner.left() - outer.left(), inner.top() - outer.top(),
                            outer.right() - inner.right(), outer.bottom() - inner.bottom());
  setWindowState(windowState() & ~Qt::WindowMaximized);
  setGeometry(screen_area.marginsRemoved(decoration));
}
