// Saving the game's moves to a file and replaying a file's moves as a new game.
#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>

#include "ui/app/interpreter_calls.h"
#include "ui/files/file_error_text.h"
#include "ui/files/game_file.h"
#include "ui/frame/main_frame.h"
#include "ui/prompts.h"

namespace {

// Description and pattern pairs, split at the bars and ended by the double bar.
const char GAME_FILE_FILTER[] = "Schach Programm (*.chd) | *.chd | All Files (*.*) | *.* ||";
const char GAME_FILE_SUFFIX[] = "chd";

// The pairs in the file dialog's own form: one "description (pattern)" per entry.
QString dialog_filter(const QString& pairs) {
  const QString list = pairs.left(pairs.indexOf(QStringLiteral("||")));
  const QStringList pieces = list.split(QLatin1Char('|'));
  QStringList entries;
  for (qsizetype i = 0; i + 1 < pieces.size(); i += 2) {
    const QString description = pieces[i].trimmed();
    const QString pattern = pieces[i + 1].trimmed();
    const QString shown_pattern = QLatin1Char('(') + pattern + QLatin1Char(')');
    entries << (description.endsWith(shown_pattern) ? description
                                                    : description + QLatin1Char(' ') + shown_pattern);
  }
  return entries.join(QStringLiteral(";;"));
}

void show_file_box(QWidget* parent, const QString& text) {
  prompts().show_box(parent, text, QCoreApplication::applicationName(), BoxButtons::Ok,
                     BoxIcon::None);
}

}  // namespace

void MainFrame::SaveGame() {
  const QString path = prompts().choose_save_path(
      this, game_folder_, QStringLiteral("neuspiel.chd"),
      dialog_filter(QString::fromLatin1(GAME_FILE_FILTER)), QString::fromLatin1(GAME_FILE_SUFFIX));
  if (path.isEmpty()) return;
  game_folder_ = QFileInfo(path).absolutePath();
  const int cause = save_game_file(path, document->move_record);
  if (cause != 0) show_file_box(this, QString::fromLatin1(FileErrorText(cause)));
}

void MainFrame::LoadGame() {
  const QString path = prompts().choose_open_path(
      this, game_folder_, QStringLiteral("*.chd"), dialog_filter(QString::fromLatin1(GAME_FILE_FILTER)),
      QString::fromLatin1(GAME_FILE_SUFFIX));
  if (path.isEmpty()) return;
  game_folder_ = QFileInfo(path).absolutePath();
  GameFileReader file;
  if (file.open(path) != 0) {
    show_file_box(this, QStringLiteral("Datei - Lese - Fehler"));
    return;
  }
  // The game on the board comes back when the file's first line turns out to be no move.
  const std::vector<std::string> previous_game = document->move_record;
  NewGame();
  if (close_after_command_) return;

  // Byte 0 holds the command letter; a line gets at most 496 characters and its terminating zero.
  char command[500];
  command[0] = 'b';
  while (file.read_line(command + 1, 497)) {
    const QString message = QString::fromLatin1(call_run_command(command, &document->state));
    if (closed_during_command()) return;
    if (!message.isEmpty()) {
      if (document->move_count == 0) replay(previous_game);
      show_file_box(this, QStringLiteral("Fehler in der Datei"));
      return;
    }
    document->RecordLastMove();
  }
  if (file.read_failure() != 0) {
    if (document->move_count == 0) replay(previous_game);
    show_file_box(this, QStringLiteral("Datei - Lese - Fehler"));
  }
}

void MainFrame::replay(const std::vector<std::string>& moves) {
  NewGame();
  for (const std::string& move : moves) {
    if (close_after_command_) return;
    call_run_command(("b" + move).c_str(), &document->state);
    document->RecordLastMove();
  }
}
