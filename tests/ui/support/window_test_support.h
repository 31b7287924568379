#pragma once
// What the window tests share: boxes and file dialogs answered by the test, a log of the
// interpreter's commands, a way to act on a modal dialog once it is open, and the base of the tests.
#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "ui/app/chess_app.h"
#include "ui/app/interpreter_calls.h"
#include "ui/frame/main_frame.h"
#include "ui/prompts.h"

// The colours of the board and the icon.
constexpr QRgb WHITE = 0xFFFFFFFF;
constexpr QRgb BLACK_PIXEL = 0xFF000000;
constexpr QRgb RED = 0xFFFF0000;
constexpr QRgb BLUE = 0xFF0000FF;

struct ShownBox {
  QString text, caption;
  BoxButtons buttons;
};

struct FileDialogCall {
  QString folder, initial_name, filter, default_suffix;
};

// Records every box and answers with the next scripted answer (OK when none is left); both file
// dialogs are answered with path (none chosen when it is empty) and remembered.
class FakePrompts : public Prompts {
 public:
  FakePrompts() { set_prompts(this); }
  ~FakePrompts() override { set_prompts(nullptr); }

  // Empty again and answering the window's boxes.
  void reset() {
    boxes.clear();
    answers.clear();
    path.clear();
    save_calls.clear();
    open_calls.clear();
    set_prompts(this);
  }

  BoxAnswer show_box(QWidget*, const QString& text, const QString& caption, BoxButtons buttons,
                     BoxIcon) override {
    boxes.push_back({text, caption, buttons});
    if (answers.empty()) return BoxAnswer::Ok;
    const BoxAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  QString choose_save_path(QWidget*, const QString& folder, const QString& initial_name,
                           const QString& filter, const QString& default_suffix) override {
    save_calls.push_back({folder, initial_name, filter, default_suffix});
    return path;
  }
  QString choose_open_path(QWidget*, const QString& folder, const QString& initial_name,
                           const QString& filter, const QString& default_suffix) override {
    open_calls.push_back({folder, initial_name, filter, default_suffix});
    return path;
  }

  // The boxes shown so far, each as "caption: text".
  QStringList shown() const {
    QStringList list;
    for (const ShownBox& box : boxes) list << box.caption + ": " + box.text;
    return list;
  }

  std::vector<ShownBox> boxes;
  std::deque<BoxAnswer> answers;
  QString path;
  std::vector<FileDialogCall> save_calls;
  std::vector<FileDialogCall> open_calls;
};

// Passes every command to the real interpreter and writes it down; commands that begin with a
// scripted prefix get a scripted answer instead (what a computer move would have done).
class CommandLog : public InterpreterBackend {
 public:
  struct Reply {
    std::string play;     // a move text played through the real interpreter first, or nothing
    std::string message;  // the message handed back
    std::string result;   // the result text handed back
  };

  CommandLog() { set_interpreter_backend(this); }
  ~CommandLog() override { set_interpreter_backend(nullptr); }

  // Empty again, without scripted replies, and watching the window's commands.
  void reset() {
    commands.clear();
    replies.clear();
    on_command = nullptr;
    set_interpreter_backend(this);
  }

  const char* hauptloop(const char* command, GameState* state, const char** result_out) override {
    commands.emplace_back(command);
    if (on_command) on_command(command);
    for (const auto& [prefix, reply] : replies) {
      if (std::string(command).rfind(prefix, 0) != 0) continue;
      if (!reply.play.empty()) game_core.hauptloop(("B" + reply.play).c_str(), state, result_out);
      message_ = reply.message;
      result_ = reply.result;
      *result_out = result_.c_str();
      return message_.c_str();
    }
    return game_core.hauptloop(command, state, result_out);
  }
  const char* run_command(const char* command, GameState* state) override {
    const char* result = nullptr;
    return hauptloop(command, state, &result);
  }

  // The commands from the first one that begins with prefix on.
  std::vector<std::string> since(const std::string& prefix) const {
    const auto begins = [&](const std::string& command) { return command.rfind(prefix, 0) == 0; };
    return {std::find_if(commands.begin(), commands.end(), begins), commands.end()};
  }
  int count(const std::string& command) const { return std::count(commands.begin(), commands.end(), command); }

  std::vector<std::string> commands;
  std::map<std::string, Reply> replies;
  std::function<void(const std::string&)> on_command;

 private:
  std::string message_;
  std::string result_;
};

// Runs act on the next modal dialog as soon as it is open (the test itself waits in its exec).
inline void when_modal_opens(std::function<void(QDialog*)> act) {
  auto* poll = new QTimer;
  poll->setInterval(10);
  QObject::connect(poll, &QTimer::timeout, [poll, act] {
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
      poll->stop();
      poll->deleteLater();
      act(dialog);
    }
  });
  poll->start();
}

// Runs the event loop as the program does, so that idle time comes whenever it has nothing to do
// (QTest::qWait never lets it wait), until done holds or the time is up; returns done().
inline bool run_until(const std::function<bool()>& done, int limit_ms = 5000) {
  QEventLoop loop;
  QTimer check;
  QObject::connect(&check, &QTimer::timeout, &loop, [&] { if (done()) loop.quit(); });
  check.start(5);
  QTimer::singleShot(limit_ms, &loop, &QEventLoop::quit);
  if (!done()) loop.exec();
  return done();
}

// The base of the window tests: each test opens the main frame afresh in its init slot; the log and
// the boxes start empty with it.
class WindowTest : public QObject {
 protected:
  // Opens the main frame as the program start does and waits until it is shown.
  void open_frame() {
    auto* app = static_cast<ChessApp*>(QCoreApplication::instance());
    app->InitInstance();
    frame = app->main_frame();
    QVERIFY(QTest::qWaitForWindowExposed(frame));
    log.reset();
    boxes.reset();
  }

  // The centre of a display square of the client area.
  QPoint centre_of(int column, int row) const {
    const QRect area = frame->client_area()->rect();
    return QPoint((2 * column + 1) * area.width() / 16, (2 * row + 1) * area.height() / 16);
  }
  void click(int column, int row, Qt::KeyboardModifiers keys = Qt::NoModifier) {
    QTest::mouseClick(frame->client_area(), Qt::LeftButton, keys, centre_of(column, row));
  }
  // Gives the menu command whose dialog act answers.
  void command_with_dialog(int command, std::function<void(QDialog*)> act) {
    when_modal_opens(std::move(act));
    frame->OnCommand(command);
  }

  MainFrame* frame = nullptr;
  CommandLog log;
  FakePrompts boxes;
};

// The test object runs under the window's own application object.
#define WINDOW_TEST_MAIN(TestObject)                   \
  int main(int argc, char** argv) {                    \
    ChessApp app(argc, argv);                          \
    app.setQuitOnLastWindowClosed(false);              \
    TestObject test;                                   \
    return QTest::qExec(&test, argc, argv);            \
  }
