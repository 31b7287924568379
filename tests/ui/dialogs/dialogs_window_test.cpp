// The dialogs and the help boxes, opened from the menu as the user opens them.
#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

#include "tests/ui/support/window_test_support.h"
#include "ui/dialogs/setup_dialog.h"
#include "ui/frame/main_menu.h"

namespace {

template <typename Control>
Control* control(QWidget* dialog, int id) {
  return dialog->findChild<Control*>(QString::number(id));
}
void press(QDialog* dialog, int button) { control<QAbstractButton>(dialog, button)->click(); }

QStringList list_entries(QDialog* dialog) {
  QStringList entries;
  QListWidget* list = control<QListWidget>(dialog, 1008);
  for (int i = 0; i < list->count(); ++i) entries << list->item(i)->text();
  return entries;
}

// Selects the entry of the possible moves and presses button (1 OK, 2 Cancel).
void choose(QDialog* dialog, const QString& entry, int button) {
  QListWidget* list = control<QListWidget>(dialog, 1008);
  list->setCurrentItem(list->findItems(entry, Qt::MatchExactly).value(0));
  press(dialog, button);
}

}  // namespace

class DialogsWindowTest : public WindowTest {
  Q_OBJECT

 private slots:
  void init() {
    open_frame();
    frame->setup_dialog->auto_answer = 0;  // no computer answers between the dialogs
  }

  void setup_dialog_shows_the_settings_and_cancel_keeps_a_clicked_level() {
    frame->setup_dialog->auto_answer = 1;  // as at program start
    QStringList shown;
    command_with_dialog(ID_MAIN_SETUP, [&](QDialog* dialog) {
      shown << dialog->windowTitle() << QString::number(control<QCheckBox>(dialog, 200)->isChecked());
      for (int id = 1013; id <= 1016; ++id) {
        auto* radio = control<QRadioButton>(dialog, id);
        shown << radio->text() + "=" + QString::number(radio->isChecked());
      }
      control<QRadioButton>(dialog, 1013)->click();
      control<QCheckBox>(dialog, 200)->click();
      press(dialog, 2);
    });
    QCOMPARE(shown, QStringList({"setup", "1", "Level 1 (foo)=0", "Level 2 (beginner)=0",
                                 "Level 3 (club player)=1", "Level 4 (master)=0"}));
    QCOMPARE(frame->setup_dialog->level, uint16_t{1013});
    QCOMPARE(frame->setup_dialog->auto_answer, 1);
    QCOMPARE(frame->setup_dialog->palette().color(QPalette::Window), QColor(192, 192, 192));
  }

  void setup_dialog_ok_takes_the_controls() {
    frame->setup_dialog->auto_answer = 1;
    command_with_dialog(ID_MAIN_SETUP, [](QDialog* dialog) {
      control<QCheckBox>(dialog, 200)->click();
      control<QRadioButton>(dialog, 1016)->click();
      press(dialog, 1);
    });
    QCOMPARE(frame->setup_dialog->auto_answer, 0);
    QCOMPARE(frame->setup_dialog->level, uint16_t{1016});

    // The kept object shows the new settings the next time; a level outside the four checks none.
    frame->setup_dialog->level = 0;
    bool level_4_checked_again = false, answer_checked_again = true;
    command_with_dialog(ID_MAIN_SETUP, [&](QDialog* dialog) {
      level_4_checked_again = control<QRadioButton>(dialog, 1016)->isChecked();
      answer_checked_again = control<QCheckBox>(dialog, 200)->isChecked();
      press(dialog, 1);
    });
    QVERIFY(!level_4_checked_again && !answer_checked_again);
    QCOMPARE(frame->setup_dialog->level, uint16_t{0});
  }

  void typed_moves_become_user_moves() {
    const auto type_and = [this](const QString& text, int button) {
      command_with_dialog(ID_ENTER_MOVE, [text, button](QDialog* dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("moves"));
        QVERIFY(control<QLineEdit>(dialog, 131)->text().isEmpty());
        QTest::keyClicks(control<QLineEdit>(dialog, 131), text);
        press(dialog, button);
      });
    };
    type_and(QStringLiteral("e2e4"), 1);
    QCOMPARE(log.since("B"), std::vector<std::string>({"Be2e4", "ll"}));
    log.commands.clear();
    type_and(QStringLiteral("e7e5"), 2);  // cancelled
    type_and(QString(), 1);
    QVERIFY(log.commands.empty());
    type_and(QStringLiteral("e7e5abcdefgh"), 1);
    QCOMPARE(log.commands.front(), std::string("Be7e5abcde"));
  }

  // A window manager writes the caption in the title bar; the box leaves room for all of it.
  void message_boxes_are_wide_enough_for_their_captions() {
    const QString caption = QStringLiteral("end of game message");
    int needed = 0, width = 0;
    when_modal_opens([&](QDialog* box) {
      QFont title_font = box->font();
      title_font.setBold(true);
      needed = QFontMetrics(title_font).horizontalAdvance(caption) + 100;
      width = box->width();
      box->accept();
    });
    set_prompts(nullptr);  // the real box
    prompts().show_box(frame, QStringLiteral("the game ended: \n1-0"), caption, BoxButtons::Ok, BoxIcon::None);
    boxes.reset();
    QVERIFY2(width >= needed, qPrintable(QStringLiteral("%1 < %2").arg(width).arg(needed)));
  }

  void possible_moves_of_the_initial_position() {
    QStringList entries;
    QRect picture, picture_frame;
    command_with_dialog(ID_POSSIBLE_MOVES, [&](QDialog* dialog) {
      entries = list_entries(dialog);
      picture = dialog->findChild<QLabel*>(QStringLiteral("133"))->geometry();
      for (auto* box : dialog->findChildren<QGroupBox*>())
        if (box->title() == QStringLiteral("system of coordinates")) picture_frame = box->geometry();
      choose(dialog, QStringLiteral("g1f3"), 1);
    });
    // Sorted by their text.
    QCOMPARE(entries.join(u' '), QStringLiteral("a2a3 a2a4 b1a3 b1c3 b2b3 b2b4 c2c3 c2c4 d2d3 d2d4 e2e3 e2e4 "
                                                "f2f3 f2f4 g1f3 g1h3 g2g3 g2g4 h2h3 h2h4"));
    QCOMPARE(log.since("B"), std::vector<std::string>({"Bg1f3", "ll"}));
    QCOMPARE(picture.size(), QSize(269, 198));
    QVERIFY(picture_frame.contains(picture));

    // OK with nothing selected and Cancel send nothing.
    log.commands.clear();
    command_with_dialog(ID_POSSIBLE_MOVES, [](QDialog* dialog) { press(dialog, 1); });
    command_with_dialog(ID_POSSIBLE_MOVES, [](QDialog* dialog) { choose(dialog, QStringLiteral("e7e5"), 2); });
    QCOMPARE(log.since("B"), std::vector<std::string>());
  }

  void possible_moves_at_the_end_of_a_game() {
    for (const char* move : {"Bf2f3", "Be7e5", "Bg2g4", "Bd8h4"}) frame->SubmitUserMove(move);
    log.commands.clear();
    QStringList entries;
    command_with_dialog(ID_POSSIBLE_MOVES, [&](QDialog* dialog) {
      entries = list_entries(dialog);
      choose(dialog, QStringLiteral("mate or draw"), 1);
    });
    QCOMPARE(entries, QStringList({" end of game:", "mate or draw"}));
    QCOMPARE(log.since("B"), std::vector<std::string>());

    // Once the engine has declared the end, its result is the one entry; choosing it sends its
    // first six characters, which the interpreter answers with the result.
    log.replies["lf"] = {"", "1-0 {White mates}", ""};
    log.replies["ln"] = {"", "", ""};
    log.replies["B"] = {"", "1-0 {White mates}", "1-0 {White mates}"};
    command_with_dialog(ID_POSSIBLE_MOVES, [](QDialog* dialog) { choose(dialog, "1-0 {White mates}", 1); });
    QCOMPARE(log.since("B"), std::vector<std::string>({"B1-0 {W"}));
    QCOMPARE(boxes.boxes.back().caption, QStringLiteral("end of game message"));
  }

  void instructions_byte_for_byte() {
    frame->OnCommand(ID_INSTRUCTIONS);
    QCOMPARE(boxes.boxes.at(0).caption, QStringLiteral("instruction"));
    const QStringList lines = boxes.boxes[0].text.split(u'\n');
    QCOMPARE(boxes.boxes[0].text.size(), 1309);
    QCOMPARE(lines.size(), 16);  // fifteen lines, each ending in its line feed
    QCOMPARE(lines.mid(0, 3), QStringList({" short instructions: ", " ========= ", QString(26, u' ')}));
    for (int i = 3; i < 15; ++i) QCOMPARE(lines[i].size(), 103);
    QCOMPARE(lines[8], QString(103, u' '));
    QCOMPARE(lines[14].trimmed(), QStringLiteral("perform the first move with F8 and turn the board with F7"));
    QVERIFY(lines[14].startsWith(QStringLiteral("      perform")));
  }

  void about_boxes() {
    log.replies["V"] = {"", "\nTolvane stand-in 1.0 %d", ""};
    frame->OnCommand(ID_ABOUT_ENGINE);
    QCOMPARE(boxes.shown(), QStringList({"About engine: \nTolvane stand-in 1.0 %d"}));
    QString title;
    command_with_dialog(ID_ABOUT, [&](QDialog* dialog) {
      title = dialog->windowTitle();
      press(dialog, 1);
    });
    QCOMPARE(title, QStringLiteral("About :  chess program"));
  }
};

WINDOW_TEST_MAIN(DialogsWindowTest)
#include "dialogs_window_test.moc"
