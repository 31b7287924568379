#include "ui/frame/main_frame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDir>
#include <QMenuBar>
#include <QPainter>
#include <string>
#include <string_view>

#include "driver/interpreter_state.h"
#include "notation/piece_letters.h"
#include "ui/app/interpreter_calls.h"
#include "ui/board/board_area.h"
#include "ui/board/board_drawing.h"
#include "ui/dialogs/about_box.h"
#include "ui/dialogs/mog_zuge_dialog.h"
#include "ui/dialogs/setup_dialog.h"
#include "ui/dialogs/zug_dialog.h"
#include "ui/frame/main_menu.h"
#include "ui/prompts.h"

namespace {

// The wait cursor for as long as the computer thinks, also when the window closes meanwhile.
class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

void show_end_of_game(QWidget* parent, const QString& result) {
  prompts().show_box(parent, QStringLiteral("the game ended: \n") + result,
                     QStringLiteral("end of game message"), BoxButtons::Ok, BoxIcon::None);
}

// The one form in which the window hands the interpreter a user move.
std::string user_move_command(std::string_view move_text) {
  std::string command(1, 'B');
  return command.append(move_text);
}

}  // namespace

MainFrame::MainFrame()
    : document(std::make_unique<GameDocument>()),
      setup_dialog(std::make_unique<SetupDialog>(this)) {
  const auto on_command = [this](int id) { OnCommand(id); };
  install_accelerators(this, on_command);
  setWindowTitle(QStringLiteral("Tolvane - chess program"));
  setMenuBar(build_main_menu(this, on_command));
  board_area_ = new BoardArea(this, this);
  setCentralWidget(board_area_);
  piece_bitmaps = load_piece_bitmaps();
  game_folder_ = QDir::currentPath();
}

MainFrame::~MainFrame() = default;

QWidget* MainFrame::client_area() const { return board_area_; }

bool MainFrame::accepts_input() const { return !command_running() && !close_after_command_; }

bool MainFrame::closed_during_command() {
  if (!close_after_command_) return false;
  close();
  return true;
}

void MainFrame::closeEvent(QCloseEvent* event) {
  if (command_running()) {
    // The wait cannot be left from here: end it, and close once the command has returned.
    close_after_command_ = true;
    end_engine_wait();
    event->ignore();
    return;
  }
  event->accept();
}

void MainFrame::OnCommand(int id) {
  if (!accepts_input()) {
    if (id == ID_EXIT) close();
    return;
  }
  switch (id) {
    case ID_NEW_GAME: NewGame(); break;
    case ID_EXIT: Exit(); break;
    case ID_COMPUTER: ComputerMove(); break;
    case ID_ENTER_MOVE: EnterMove(); break;
    case ID_POSSIBLE_MOVES: PossibleMoves(); break;
    case ID_MAIN_SETUP: setup_dialog->DoModal(); break;
    case ID_SAVE_GAME: SaveGame(); break;
    case ID_LOAD_GAME: LoadGame(); break;
    case ID_TURN_BOARD: TurnBoard(); break;
    case ID_ABOUT: AboutBox(); break;
    case ID_ABOUT_ENGINE: AboutEngine(); break;
    case ID_INSTRUCTIONS: Instructions(); break;
    default: break;
  }
}

void MainFrame::NewGame() {
  // Built before the old one goes, so that the frame never lacks a document, not even while the
  // new one's commands wait for the engine.
  auto fresh = std::make_unique<GameDocument>();
  document = std::move(fresh);
  if (closed_during_command()) return;
  repaint_pending = 1;
}

void MainFrame::ComputerMove() {
  std::string command = "c";
  switch (setup_dialog->level) {
    case LEVEL_1: command += '1'; break;
    case LEVEL_2: command += '2'; break;
    case LEVEL_3: command += '3'; break;
    case LEVEL_4: command += '4'; break;
    default: break;
  }
  const PositionNode* node_before = current_node;
  const char* result = "";
  const char* message;
  {
    WaitCursor wait;
    message = call_hauptloop(command.c_str(), &document->state, &result);
  }
  if (closed_during_command()) return;
  // Copied first: recording and the boxes below run commands and events, and both texts belong
  // to the interpreter.
  const QString text = QString::fromLatin1(message);
  const QString result_line = QString::fromLatin1(result);
  // Only a played move is recorded; a refused or failed command would repeat the last text.
  const bool played = current_node != node_before;
  if (played) document->RecordLastMove();
  if (!result_line.isEmpty()) {
    // The move that ended the game is painted while the box waits for the user.
    if (played) client_area()->update();
    show_end_of_game(this, result_line);
    return;
  }
  repaint_pending = 1;
  if (!text.isEmpty()) {
    prompts().show_box(this, text, QCoreApplication::applicationName(), BoxButtons::Ok, BoxIcon::None);
  }
}

void MainFrame::SubmitUserMove(const char* command) {
  const char* result = "";
  const char* message = call_hauptloop(command, &document->state, &result);
  if (closed_during_command()) return;
  if (message[0] == '\0') {
    repaint_pending = 1;
    document->RecordLastMove();
    if (setup_dialog->auto_answer != 0) answer_after_paint = 1;
    return;
  }
  if (result[0] != '\0') {
    show_end_of_game(this, QString::fromLatin1(result));
    return;
  }
  const QString move = QString::fromLatin1(command[0] ? command + 1 : command).left(4);
  const BoxAnswer answer = prompts().show_box(
      this, QStringLiteral(" The move : ") + move +
                QStringLiteral(" is impossible \n \n Do you like to choose another one ?"),
      QStringLiteral(" impossible move"), BoxButtons::YesNoCancel, BoxIcon::None);
  if (answer == BoxAnswer::Yes) PossibleMoves();
}

void MainFrame::TurnBoard() {
  board_turned = board_turned == 0 ? 1 : 0;
  repaint_pending = 1;
  selected_column = selected_row = NO_SQUARE;
  square_selected = 0;
}

void MainFrame::Exit() {
  call_run_command("X", &document->state);
  close();
}

void MainFrame::EnterMove() {
  ZugDialog dialog(this);
  dialog.DoModal();
  if (dialog.move_text[0] == '\0') return;
  SubmitUserMove(user_move_command(dialog.move_text).c_str());
}

void MainFrame::PossibleMoves() {
  MogZugeDialog dialog(this, &document->state);
  dialog.DoModal();
  if (dialog.chosen_move[0] == '\0') return;
  SubmitUserMove(user_move_command(std::string_view(dialog.chosen_move).substr(0, 6)).c_str());
}

void MainFrame::AboutBox() { make_about_box(this)->exec(); }

void MainFrame::AboutEngine() {
  const QString text = QString::fromLatin1(call_run_command("V", &document->state));
  if (closed_during_command()) return;
  prompts().show_box(this, text, QStringLiteral("About engine"), BoxButtons::Ok, BoxIcon::None);
}

void MainFrame::Instructions() {
  prompts().show_box(this, instructions_text(), QStringLiteral("instruction"), BoxButtons::Ok,
                     BoxIcon::None);
}

void MainFrame::OnLButtonDown(unsigned flags, QPoint point) {
  if (flags != MOUSE_LEFT_BUTTON || !accepts_input()) return;
  const QRect client = board_area_->rect();
  if (client.width() <= 0 || client.height() <= 0) return;
  click_column = std::max(0, point.x() * 8 / client.width());
  click_row = std::max(0, point.y() * 8 / client.height());
  if (click_column == selected_column && click_row == selected_row) return;
  if (square_selected != 0) {
    const auto from = static_cast<uint8_t>(square_at_display(selected_row, selected_column, board_turned));
    const auto to = static_cast<uint8_t>(square_at_display(click_row, click_column, board_turned));
    // The trailing D (a queen) settles a promotion; the parser passes over it for any other move.
    const char move[] = {square_file_letter(from), square_rank_digit(from), square_file_letter(to),
                         square_rank_digit(to), 'D', '\0'};
    SubmitUserMove(user_move_command(move).c_str());
    square_selected = 0;
    selected_column = selected_row = NO_SQUARE;
    repaint_pending = 1;
    return;
  }
  square_selected = 1;
  selected_column = click_column;
  selected_row = click_row;
  repaint_pending = 1;
}

void MainFrame::DrawBoard(QPainter& dc, const QRect& rect) {
  const QImage board = compose_board(game_board(), piece_bitmaps,
                                     {board_turned, square_selected, selected_column, selected_row});
  // Scaled separately in each direction, pixel by pixel, over the whole client area.
  dc.drawImage(QRect(rect.left(), rect.top(), rect.width(), rect.height()), board);
  if (answer_after_paint != 0) {
    answer_after_paint = 0;
    computer_move_pending = 1;
  }
}
