// Every form in which a user enters a move, played through the window's own commands against the
// real engine program: after each of the computer's answers the engine's board is the game's.
#include <QAbstractButton>
#include <QLineEdit>
#include <QListWidget>
#include <algorithm>
#include <cstdlib>

#include "driver/interpreter_state.h"
#include "engine/engine_link.h"
#include "notation/piece_letters.h"
#include "tests/ui/support/window_test_support.h"
#include "ui/dialogs/setup_dialog.h"
#include "ui/frame/main_frame.h"
#include "ui/frame/main_menu.h"

namespace {

QAbstractButton* ok_button(QDialog* dialog) { return dialog->findChild<QAbstractButton*>(QStringLiteral("1")); }

// The game's board drawn as the engine draws its own for "showboard".
QStringList game_picture(bool white_to_move) {
  QStringList lines;
  for (int rank = 7; rank >= 0; --rank) {
    QString line = QString::number(rank + 1) + QLatin1Char(' ');
    for (int file = 0; file < 8; ++file) {
      const Piece piece = game_board().squares[square_of(file, rank)];
      line += QLatin1Char(' ');
      line += QLatin1Char(piece == 0 ? '.' : english_piece_letter(piece));
    }
    lines << line;
  }
  lines << QStringLiteral("a b c d e f g h  ") + (white_to_move ? "White" : "Black") + " to move";
  return lines;
}

// The engine's own board, asked for over the link the window drives it by.
QStringList engine_picture() {
  engine_link.send_line("showboard");
  QStringList lines;
  char line[200];
  for (int i = 0; i < 9; ++i) {
    engine_link.read_line(line, sizeof line);
    lines << QString::fromLatin1(line).trimmed();
  }
  return lines;
}

// White's pawn stands on a7 next to Black's knight on b8, and the queen's check leaves Black one
// move, g7g6; the computer, told the whole position, must play it, and White may then promote.
const std::vector<std::string> PROMOTION_SETUP = {"a2a4", "b7b5", "a4b5", "a7a6", "b5a6", "f7f6",
                                                  "a6a7", "c7c6", "e2e3", "c6c5", "d1h5"};

}  // namespace

class EngineGameWindowTest : public WindowTest {
  Q_OBJECT

  // The legal moves in the interpreter's own order, the one its move numbers count in.
  std::vector<std::string> legal_moves() const {
    std::vector<std::string> moves;
    GameState* state = &frame->document->state;
    for (std::string move = call_run_command("lf", state); !move.empty(); move = call_run_command("ln", state)) {
      moves.push_back(move);
    }
    return moves;
  }

  // The wanted move where it is legal after the engine's answers, else the first legal one.
  std::string wanted_or_first(const std::string& wanted) const {
    const std::vector<std::string> moves = legal_moves();
    for (const std::string& move : moves) {
      if (move == wanted) return wanted;
    }
    return moves.empty() ? std::string() : moves.front();
  }

  void type_move(const QString& text) {
    when_modal_opens([text](QDialog* dialog) {
      dialog->findChild<QLineEdit*>(QStringLiteral("131"))->setText(text);
      ok_button(dialog)->click();
    });
    frame->OnCommand(ID_ENTER_MOVE);
  }

  void choose_from_the_list(const QString& move) {
    when_modal_opens([move](QDialog* dialog) {
      auto* list = dialog->findChild<QListWidget*>(QStringLiteral("1008"));
      list->setCurrentItem(list->findItems(move, Qt::MatchExactly).value(0));
      ok_button(dialog)->click();
    });
    frame->OnCommand(ID_POSSIBLE_MOVES);
  }

  void click_move(const std::string& move) {
    for (int i : {0, 2}) click(move[i] - 'a', '8' - move[i + 1]);
  }

  // The user's move (entered by enter) is played, then the computer answers; both boards agree.
  void play_and_compare(const std::function<void()>& enter, const char* form) {
    const size_t before = frame->document->move_record.size();
    enter();
    QVERIFY2(frame->document->move_record.size() == before + 1, form);
    frame->OnCommand(ID_COMPUTER);
    for (const ShownBox& box : boxes.boxes) qWarning("%s: box \"%s\"", form, qPrintable(box.text));
    QVERIFY2(boxes.boxes.empty(), form);
    QVERIFY2(frame->document->move_record.size() == before + 2, form);
    QCOMPARE(engine_picture(), game_picture(frame->document->move_record.size() % 2 == 0));
  }

  // A new game up to Black's one legal move, which the computer plays.
  void new_game_before_a_promotion() {
    frame->OnCommand(ID_NEW_GAME);
    for (const std::string& move : PROMOTION_SETUP) frame->SubmitUserMove(("B" + move).c_str());
    frame->OnCommand(ID_COMPUTER);
    QCOMPARE(frame->document->move_record.back(), std::string("g7g6"));
  }

 private slots:
  void initTestCase() {
    setenv("TOLVANE_ENGINE", TOLVANE_ENGINE_PATH, 1);
    // A silent engine fails the test instead of hanging it.
    engine_link.read_time_limit_ms = 20000;
  }

  void init() {
    open_frame();
    frame->setup_dialog->auto_answer = 0;
    frame->setup_dialog->level = LEVEL_1;
  }

  void typed_listed_and_clicked_moves() {
    play_and_compare([&] { type_move(QStringLiteral("E2E4")); }, "capitals");
    const QString knight = QString::fromStdString(wanted_or_first("g1f3"));
    play_and_compare([&] { type_move(knight.left(2) + knight.mid(2).toUpper() + QLatin1Char(' ')); },
                     "mixed case and a blank");
    const std::string bishop = wanted_or_first("f1c4");
    const std::vector<std::string> moves = legal_moves();
    const auto number = std::find(moves.begin(), moves.end(), bishop) - moves.begin() + 1;
    play_and_compare([&] { type_move(QString::number(number)); }, "list number");
    const std::string pawn = wanted_or_first("d2d3");
    play_and_compare([&] { choose_from_the_list(QString::fromStdString(pawn)); }, "possible moves");
    const std::string other_knight = wanted_or_first("b1c3");
    play_and_compare([&] { click_move(other_knight); }, "mouse");
    const std::string castling = wanted_or_first("e1g1");
    play_and_compare([&] { type_move(QString::fromStdString(castling + "D").toUpper()); },
                     "capitals and a letter after an ordinary move");
  }

  void promotion_letters_of_both_sets_in_both_cases() {
    for (const char letter : std::string("qQdDrRtTbBlLnNsS")) {
      new_game_before_a_promotion();
      play_and_compare([&] { type_move(QStringLiteral("a7b8") + QLatin1Char(letter)); }, "promotion letter");
      // The record names the piece by its German letter, whichever letter was typed.
      const char german = english_to_german_letter(ascii_upper(letter));
      QCOMPARE(frame->document->move_record[PROMOTION_SETUP.size() + 1], "a7b8" + std::string(1, german));
    }
    new_game_before_a_promotion();
    play_and_compare([&] { click_move("a7b8"); }, "promotion by the mouse");
    QCOMPARE(frame->document->move_record[PROMOTION_SETUP.size() + 1], std::string("a7b8D"));
  }

  void cleanupTestCase() { engine_link.shut_down(); }
};

WINDOW_TEST_MAIN(EngineGameWindowTest)
#include "engine_game_window_test.moc"
