// Saving and loading through the main frame, with the file dialogs and boxes answered by the test.
#include <QFileInfo>
#include <QTemporaryDir>
#include <fstream>
#include <sstream>

#include "rules/records.h"
#include "tests/ui/support/window_test_support.h"
#include "ui/dialogs/setup_dialog.h"
#include "ui/frame/main_frame.h"
#include "ui/frame/main_menu.h"

namespace {

ChessApp* app() { return static_cast<ChessApp*>(QCoreApplication::instance()); }

struct DialogCall {
  QString initial_name;
  QString filter;
  QString default_suffix;
};

// Answers both file dialogs with a chosen path and remembers how they were asked.
class FilePrompts : public FakePrompts {
 public:
  QString choose_save_path(QWidget*, const QString& initial_name, const QString& filter,
                           const QString& default_suffix) override {
    save_calls.push_back({initial_name, filter, default_suffix});
    return path;
  }
  QString choose_open_path(QWidget*, const QString& initial_name, const QString& filter,
                           const QString& default_suffix) override {
    open_calls.push_back({initial_name, filter, default_suffix});
    return path;
  }

  QString path;
  std::vector<DialogCall> save_calls;
  std::vector<DialogCall> open_calls;
};

std::string file_bytes(const QString& path) {
  std::ifstream in(path.toStdString(), std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void write_file(const QString& path, const std::string& bytes) {
  std::ofstream(path.toStdString(), std::ios::binary) << bytes;
}

// White's pawn takes its way to a8 and becomes a queen there.
const std::vector<std::string> PROMOTION_GAME = {"e2e4", "d7d5", "e4d5", "c7c6", "d5c6",
                                                 "g8f6", "c6b7", "b8d7", "b7a8D"};

}  // namespace

class GameFilesWindowTest : public QObject {
  Q_OBJECT
  MainFrame* frame = nullptr;
  QTemporaryDir folder;

  void play(const std::vector<std::string>& moves) {
    for (const std::string& move : moves) frame->SubmitUserMove(("B" + move).c_str());
  }

 private slots:
  void init() {
    app()->InitInstance();
    frame = app()->main_frame();
    frame->setup_dialog->auto_answer = 0;
    QVERIFY(folder.isValid());
  }

  void saved_game_loads_back_without_an_answer() {
    FilePrompts prompts;
    prompts.path = folder.filePath("promotion.chd");
    play(PROMOTION_GAME);
    QCOMPARE(frame->document->move_record, PROMOTION_GAME);
    frame->OnCommand(ID_SAVE_GAME);
    QCOMPARE(prompts.save_calls.size(), size_t{1});
    QCOMPARE(prompts.save_calls[0].initial_name, QStringLiteral("neuspiel.chd"));
    QCOMPARE(prompts.save_calls[0].filter,
             QStringLiteral("Schach Programm (*.chd);;All Files (*.*)"));
    QCOMPARE(prompts.save_calls[0].default_suffix, QStringLiteral("chd"));
    std::string expected;
    for (const std::string& move : PROMOTION_GAME) expected += move + "\r\n";
    QCOMPARE(file_bytes(prompts.path), expected);

    CommandLog log;
    frame->OnCommand(ID_NEW_GAME);
    frame->OnCommand(ID_LOAD_GAME);
    QCOMPARE(prompts.open_calls.size(), size_t{1});
    QCOMPARE(prompts.open_calls[0].initial_name, QStringLiteral("*.chd"));
    QCOMPARE(prompts.open_calls[0].default_suffix, QStringLiteral("chd"));
    QCOMPARE(frame->document->move_record, PROMOTION_GAME);
    QCOMPARE(frame->document->move_count, 9);
    QCOMPARE(log.commands[log.commands.size() - 2], std::string("bb7a8D\n"));
    QCOMPARE(game_board().squares[56], Piece{0x02});  // a White queen on a8
    QVERIFY(prompts.boxes.empty());
    QVERIFY(run_until([&] { return frame->repaint_pending == 0; }));
    QCOMPARE(frame->answer_after_paint + frame->computer_move_pending, 0);
    for (const std::string& command : log.commands) QVERIFY(command[0] != 'c');
  }

  void empty_game_and_english_letters_with_lf_ends() {
    FilePrompts prompts;
    prompts.path = folder.filePath("empty.chd");
    frame->OnCommand(ID_SAVE_GAME);
    QCOMPARE(file_bytes(prompts.path), std::string());
    play({"e2e4"});
    frame->OnCommand(ID_LOAD_GAME);
    QVERIFY(frame->document->move_record.empty());
    QCOMPARE(game_board().squares[12], Piece{0x20});  // the pawn is back on e2

    prompts.path = folder.filePath("english.chd");
    std::string lf_game;
    for (const std::string& move : PROMOTION_GAME) lf_game += move + "\n";
    lf_game.replace(lf_game.size() - 2, 1, "q");  // b7a8q
    write_file(prompts.path, lf_game);
    frame->OnCommand(ID_LOAD_GAME);
    QCOMPARE(frame->document->move_record, PROMOTION_GAME);
    QVERIFY(prompts.boxes.empty());
  }

  void blank_line_stops_the_load_after_the_moves_before_it() {
    FilePrompts prompts;
    prompts.path = folder.filePath("blank.chd");
    write_file(prompts.path, "e2e4\r\ne7e5\r\n\r\ng1f3\r\n");
    frame->OnCommand(ID_LOAD_GAME);
    QCOMPARE(frame->document->move_record, std::vector<std::string>({"e2e4", "e7e5"}));
    QCOMPARE(prompts.boxes.size(), size_t{1});
    QCOMPARE(prompts.boxes[0].text, QStringLiteral("Fehler in der Datei"));
    QCOMPARE(prompts.boxes[0].caption, QCoreApplication::applicationName());
  }

  void unreadable_file_keeps_the_current_game() {
    FilePrompts prompts;
    play({"e2e4"});
    GameDocument* before = frame->document.get();
    for (const QString& path : {folder.filePath("missing.chd"), folder.path()}) {
      prompts.path = path;
      frame->OnCommand(ID_LOAD_GAME);
      QCOMPARE(frame->document.get(), before);
      QCOMPARE(frame->document->move_record, std::vector<std::string>({"e2e4"}));
      QCOMPARE(prompts.boxes.back().text, QStringLiteral("Datei - Lese - Fehler"));
    }
    prompts.path.clear();  // both dialogs cancelled
    frame->OnCommand(ID_LOAD_GAME);
    frame->OnCommand(ID_SAVE_GAME);
    QCOMPARE(frame->document.get(), before);
    QCOMPARE(prompts.boxes.size(), size_t{2});
  }

  void failed_save_names_its_cause_and_keeps_the_old_file() {
    FilePrompts prompts;
    play({"e2e4"});
    prompts.path = folder.filePath("no-folder/game.chd");
    frame->OnCommand(ID_SAVE_GAME);
    QCOMPARE(prompts.boxes.size(), size_t{1});
    QCOMPARE(prompts.boxes[0].text,
             QStringLiteral("Datei-Fehler : All or part of the path is invalid."));
    QCOMPARE(prompts.boxes[0].caption, QCoreApplication::applicationName());

    prompts.path = folder.path();  // a folder is never replaced by the game
    frame->OnCommand(ID_SAVE_GAME);
    QCOMPARE(prompts.boxes.back().text, QStringLiteral("Datei-Fehler : The file could not be accessed."));
    QVERIFY(QFileInfo(folder.path()).isDir());
    QCOMPARE(frame->document->move_record, std::vector<std::string>({"e2e4"}));
  }
};

WINDOW_TEST_MAIN(GameFilesWindowTest)
#include "game_files_window_test.moc"
