// The main frame: start state, the idle chain, mouse moves, the move boxes, new game and exit.
#include <signal.h>

#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <cerrno>

#include "engine/engine_link.h"
#include "tests/stand_in_engine/stand_in_engine_client.h"
#include "tests/ui/support/window_test_support.h"
#include "ui/board/board_area.h"
#include "ui/dialogs/setup_dialog.h"
#include "ui/frame/main_menu.h"

namespace {

// Paints of the board, counted as they happen.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

// Boxes as the real ones behave: while a box waits, the window goes on painting. Notes whether the
// board was painted while the box was up.
class PaintingPrompts : public FakePrompts {
 public:
  explicit PaintingPrompts(QWidget* board) : counter_(board) {}
  BoxAnswer show_box(QWidget* parent, const QString& text, const QString& caption, BoxButtons buttons,
                     BoxIcon icon) override {
    const int paints_before = counter_.paints;
    QCoreApplication::processEvents();
    painted_behind_box = counter_.paints > paints_before;
    return FakePrompts::show_box(parent, text, caption, buttons, icon);
  }
  bool painted_behind_box = false;

 private:
  PaintCounter counter_;
};

}  // namespace

class FrameWindowTest : public WindowTest {
  Q_OBJECT

 private slots:
  void init() { open_frame(); }

  void window_title() { QCOMPARE(frame->windowTitle(), QStringLiteral("Tolvane - chess program")); }

  void menu_texts_identifiers_and_keys() {
    QStringList seen;
    for (QAction* pop_up : frame->menuBar()->actions()) {
      QStringList entries;
      for (QAction* entry : pop_up->menu()->actions())
        entries << (entry->isSeparator() ? QStringLiteral("-") : entry->text() + "=" + entry->data().toString());
      seen << pop_up->text() + ": " + entries.join(QStringLiteral(" | "));
    }
    QCOMPARE(seen, QStringList({
        "&File: - | &New game=111 | &Save game=1008 | &Load game=1009 | - | &Exit chess program =110",
        "&Moves: &Computer \tF8=120 | Enter a m&ove \tF2=121 | &Possible moves \tF3=122",
        "Se&tup: &Main setup=109 | &Turn board \tF7=1010",
        "&Help: &About chess...\tF1=100 | &About Tolvane engine=32780 | &Instructions=32779",
    }));
    QStringList keys;
    for (const Accelerator& a : MainAccelTable) keys << QKeySequence(a.key).toString() + "=" + QString::number(a.id);
    QCOMPARE(keys, QStringList({"F1=100", "F2=121", "F3=122", "F7=1010", "F8=120"}));
  }

  void function_key_reaches_its_command() {
    log.replies["c"] = {"e2e4", "", ""};
    frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(frame));
    QTest::keyClick(frame, Qt::Key_F8);
    QCOMPARE(log.since("c"), std::vector<std::string>({"c3", "ll"}));
    QTest::keyClick(frame, Qt::Key_F7);
    QCOMPARE(frame->board_turned, 1);
  }

  void level_chooses_the_computer_command() {
    log.replies["c"] = {"", "", ""};
    for (const auto& [level, command] :
         {std::pair<uint16_t, const char*>{1015, "c3"}, {1013, "c1"}, {1014, "c2"}, {1016, "c4"}, {0, "c"}}) {
      frame->setup_dialog->level = level;
      frame->ComputerMove();
      QCOMPARE(log.commands.back(), std::string(command));
    }
  }

  void idle_chain_shows_the_user_move_before_the_computer_thinks() {
    log.replies["c"] = {"e7e5", "", ""};
    PaintCounter counter(frame->client_area());
    int paints_at_move = -1, paints_at_answer = -1;
    bool wait_cursor_at_answer = false;
    log.on_command = [&](const std::string& command) {
      if (command[0] == 'B') paints_at_move = counter.paints;
      if (command[0] == 'c') {
        paints_at_answer = counter.paints;
        wait_cursor_at_answer = QApplication::overrideCursor() &&
                                QApplication::overrideCursor()->shape() == Qt::WaitCursor;
      }
    };
    click(4, 6);
    click(4, 4);
    QVERIFY(run_until([&] { return log.count("c3") == 1; }));
    QVERIFY(paints_at_answer > paints_at_move);
    QVERIFY(wait_cursor_at_answer);
    QVERIFY(!QApplication::overrideCursor());
    QCOMPARE(frame->document->move_record, std::vector<std::string>({"e2e4", "e7e5"}));
    QCOMPARE(frame->document->move_count, 2);
    QVERIFY(run_until([&] { return frame->repaint_pending == 0; }));
  }

  void no_answer_without_auto_answer() {
    log.replies["c"] = {"e7e5", "", ""};
    frame->setup_dialog->auto_answer = 0;
    frame->SubmitUserMove("Be2e4");
    QVERIFY(run_until([&] { return frame->repaint_pending == 0; }));
    run_until([] { return false; }, 50);
    QCOMPARE(log.count("c3"), 0);
    QCOMPARE(frame->document->move_record, std::vector<std::string>({"e2e4"}));
  }

  void clicks_become_move_commands() {
    frame->setup_dialog->auto_answer = 0;
    click(4, 6);
    QCOMPARE(frame->square_selected, 1);
    click(4, 6);  // the selected square again: nothing happens
    QCOMPARE(QPoint(frame->selected_column, frame->selected_row), QPoint(4, 6));
    click(4, 4);
    QCOMPARE(log.since("B"), std::vector<std::string>({"Be2e4D", "ll"}));
    QCOMPARE(frame->square_selected, 0);
    QCOMPARE(frame->selected_column, 10);

    click(2, 6);
    frame->OnCommand(ID_TURN_BOARD);  // drops a half-entered move
    QCOMPARE(frame->board_turned, 1);
    QCOMPARE(frame->square_selected, 0);
    QCOMPARE(frame->selected_row, 10);
    click(4, 6);
    click(4, 4);
    QCOMPARE(log.since("Bd"), std::vector<std::string>({"Bd7d5D", "ll"}));
    QVERIFY(boxes.boxes.empty());
  }

  void clicks_with_keys_or_other_buttons_are_ignored() {
    for (Qt::KeyboardModifier key : {Qt::ShiftModifier, Qt::ControlModifier}) click(1, 1, key);
    QCOMPARE(frame->square_selected, 0);
    frame->OnLButtonDown(MOUSE_LEFT_BUTTON | MOUSE_RIGHT_BUTTON, centre_of(1, 1));
    QCOMPARE(frame->square_selected, 0);

    const QPointF at(3, 3);
    QMouseEvent both(QEvent::MouseButtonPress, at, at, Qt::LeftButton, Qt::LeftButton | Qt::RightButton,
                     Qt::ShiftModifier);
    QCOMPARE(mouse_flags(both), unsigned{MOUSE_LEFT_BUTTON | MOUSE_RIGHT_BUTTON | MOUSE_SHIFT});
  }

  void edge_columns_of_a_wide_window() {
    frame->showNormal();
    frame->resize(700, 200);
    QTRY_COMPARE(frame->client_area()->width(), 700);
    const QRect area = frame->client_area()->rect();
    frame->OnLButtonDown(MOUSE_LEFT_BUTTON, QPoint(0, 0));
    QCOMPARE(frame->click_column, 0);
    frame->OnLButtonDown(MOUSE_LEFT_BUTTON, QPoint(area.width() * 7 / 8 - 1, area.height() - 1));
    QCOMPARE(QPoint(frame->click_column, frame->click_row), QPoint(6, 7));
    frame->OnLButtonDown(MOUSE_LEFT_BUTTON, QPoint(area.width() - 1, 0));
    QCOMPARE(frame->click_column, 7);
  }

  void refused_move_offers_the_possible_moves() {
    boxes.answers = {BoxAnswer::Yes};
    QString opened;
    when_modal_opens([&](QDialog* dialog) {
      opened = dialog->metaObject()->className();
      dialog->reject();
    });
    click(1, 7);
    click(1, 4);
    QCOMPARE(boxes.shown(),
             QStringList({" impossible move:  The move : b1b4 is impossible \n \n Do you like to choose another one ?"}));
    QCOMPARE(boxes.boxes[0].buttons, BoxButtons::YesNoCancel);
    QCOMPARE(opened, QStringLiteral("MogZugeDialog"));
    QCOMPARE(frame->square_selected, 0);
    QVERIFY(frame->document->move_record.empty());
  }

  void new_game_keeps_the_turned_board_and_the_settings() {
    frame->setup_dialog->auto_answer = 0;
    frame->setup_dialog->level = 1013;
    frame->SubmitUserMove("Be2e4");
    frame->TurnBoard();
    click(3, 3);
    frame->OnCommand(ID_NEW_GAME);
    QCOMPARE(log.since("0"), std::vector<std::string>({"0", "0", "8", "F1"}));
    // Kept: the turned board, the square the click selected, the level and the automatic answer.
    QCOMPARE(QList<int>({frame->board_turned, frame->square_selected, frame->setup_dialog->level,
                         frame->setup_dialog->auto_answer}),
             QList<int>({1, 1, 1013, 0}));
    QVERIFY(frame->document->move_record.empty());
    QCOMPARE(frame->document->move_count, 0);
    QCOMPARE(game_board().squares[square_of(4, 1)], uint8_t{PAWN});
    QCOMPARE(frame->repaint_pending, 1);
  }

  void only_played_moves_are_recorded() {
    frame->ComputerMove();  // the real interpreter: no engine can be started here
    QCOMPARE(boxes.shown(), QStringList({QCoreApplication::applicationName() + ": Error 4: opening tolvane.exe"}));
    QVERIFY(frame->document->move_record.empty());
    QCOMPARE(log.count("ll"), 0);

    log.replies["c"] = {"d2d4", "", ""};
    frame->ComputerMove();
    QCOMPARE(frame->document->move_record, std::vector<std::string>({"d2d4"}));

    log.replies["c"] = {"", "", "1-0 {White mates}"};
    frame->repaint_pending = 0;
    frame->ComputerMove();
    QCOMPARE(boxes.shown().back(), QStringLiteral("end of game message: the game ended: \n1-0 {White mates}"));
    QCOMPARE(boxes.boxes.back().buttons, BoxButtons::Ok);
    QCOMPARE(frame->repaint_pending, 0);
    QCOMPARE(frame->document->move_record.size(), size_t{1});

    // A user move after the end gets the same box and is not recorded.
    log.replies["B"] = {"", "0-1 {Black mates}", "0-1 {Black mates}"};
    frame->SubmitUserMove("Be7e5");
    QCOMPARE(boxes.shown().back(), QStringLiteral("end of game message: the game ended: \n0-1 {Black mates}"));
    QCOMPARE(frame->document->move_record.size(), size_t{1});
  }

  // The computer's move that ends the game is recorded, painted and announced, with no further
  // action of the user's.
  void computer_move_that_ends_the_game_is_announced_at_once() {
    frame->setup_dialog->auto_answer = 0;
    for (const char* move : {"Bf2f3", "Be7e5", "Bg2g4"}) frame->SubmitUserMove(move);
    QVERIFY(run_until([&] { return frame->repaint_pending == 0; }));
    PaintingPrompts painting_boxes(frame->client_area());
    log.replies["c"] = {"d8h4", "", "0-1 {Black mates}"};
    frame->OnCommand(ID_COMPUTER);
    QCOMPARE(painting_boxes.shown(), QStringList({"end of game message: the game ended: \n0-1 {Black mates}"}));
    QVERIFY(painting_boxes.painted_behind_box);
    QCOMPARE(frame->document->move_record, std::vector<std::string>({"f2f3", "e7e5", "g2g4", "d8h4"}));
  }

  // Maximized at start; restored, about two thirds of the screen; never smaller than a usable board
  // below the whole menu bar.
  void window_sizes() {
    QVERIFY(frame->isMaximized());
    const QRect screen_area = frame->screen()->availableGeometry();
    const QRect restored = frame->normalGeometry();
    QVERIFY(qAbs(restored.width() - screen_area.width() * 2 / 3) <= 2);
    QVERIFY(qAbs(restored.height() - screen_area.height() * 2 / 3) <= 2);
    QVERIFY(screen_area.contains(restored));
    frame->showNormal();
    frame->resize(40, 30);
    QTRY_VERIFY(frame->width() < restored.width());
    QVERIFY(frame->width() >= frame->menuBar()->sizeHint().width());
    QVERIFY(qMin(frame->client_area()->width(), frame->client_area()->height()) >= 320);
  }

  void exit_tells_the_engine_and_the_close_box_does_not() {
    frame->OnCommand(ID_EXIT);
    QCOMPARE(log.commands, std::vector<std::string>({"X"}));
    QVERIFY(!frame->isVisible());

    init();
    log.commands.clear();
    frame->close();
    QVERIFY(log.commands.empty());
    QVERIFY(!frame->isVisible());
  }

  // Last: the stand-in engine leaves TOLVANE_ENGINE unset behind it.
  void a_wait_takes_no_input_and_closing_ends_it_data() {
    QTest::addColumn<bool>("by_menu");
    QTest::newRow("close box") << false;
    QTest::newRow("File, Exit") << true;
  }
  void a_wait_takes_no_input_and_closing_ends_it() {
    QFETCH(bool, by_menu);
    std::string script = "greet Tolvane stand-in\ngreet ready\non go => ";
    for (int i = 0; i < 300; ++i) script += "info thinking | @sleep 100 | ";
    script += "move e2e4\n";
    StandInEngine engine(script);
    QTimer::singleShot(300, frame, [this, by_menu] {
      click(4, 6);
      frame->OnCommand(ID_TURN_BOARD);
      frame->OnCommand(ID_NEW_GAME);
      by_menu ? frame->OnCommand(ID_EXIT) : void(frame->close());
      QVERIFY(frame->isVisible());  // still inside the wait
    });
    frame->ComputerMove();
    QVERIFY(!frame->isVisible());
    // Neither the click, the turn nor the new game took effect.
    QCOMPARE(QList<int>({frame->square_selected, frame->board_turned, log.count("0")}), QList<int>({0, 0, 0}));
    QVERIFY(boxes.boxes.empty());
    QVERIFY(frame->document->move_record.empty());
    QVERIFY(engine_link.engine_ended());
    const pid_t killed = engine_link.process_id;
    engine_link.shut_down();
    QVERIFY(kill(killed, 0) != 0 && errno == ESRCH);  // reaped, no zombie left
  }
};

WINDOW_TEST_MAIN(FrameWindowTest)
#include "frame_window_test.moc"
