// Saving and loading through the main frame, with the file dialogs and boxes answered by the test.
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "tests/scratch_folder.h"
#include "tests/ui/support/window_test_support.h"
#include "ui/dialogs/setup_dialog.h"
#include "ui/frame/main_menu.h"

namespace {

void write_file(const QString& path, const std::string& bytes) { write_whole_file(path.toStdString(), bytes); }

// White's pawn takes its way to a8 and becomes a queen there.
const std::vector<std::string> PROMOTION_GAME = {"e2e4", "d7d5", "e4d5", "c7c6", "d5c6",
                                                 "g8f6", "c6b7", "b8d7", "b7a8D"};

}  // namespace

class GameFilesWindowTest : public WindowTest {
  Q_OBJECT
  QTemporaryDir folder;

  void file_command(int command, const QString& path) {
    boxes.path = path;
    frame->OnCommand(command);
  }
  void play(const std::vector<std::string>& moves) {
    for (const std::string& move : moves) frame->SubmitUserMove(("B" + move).c_str());
  }

 private slots:
  void init() {
    open_frame();
    frame->setup_dialog->auto_answer = 0;
    QVERIFY(folder.isValid());
  }

  void saved_game_loads_back_without_an_answer() {
    boxes.path = folder.filePath("promotion.chd");
    play(PROMOTION_GAME);
    QCOMPARE(frame->document->move_record, PROMOTION_GAME);
    frame->OnCommand(ID_SAVE_GAME);
    QCOMPARE(boxes.save_calls.size(), size_t{1});
    QCOMPARE(boxes.save_calls[0].initial_name, QStringLiteral("neuspiel.chd"));
    QCOMPARE(boxes.save_calls[0].filter, QStringLiteral("Schach Programm (*.chd);;All Files (*.*)"));
    QCOMPARE(boxes.save_calls[0].default_suffix, QStringLiteral("chd"));
    std::string expected;
    for (const std::string& move : PROMOTION_GAME) expected += move + "\r\n";
    QCOMPARE(read_whole_file(boxes.path.toStdString()), expected);

    frame->OnCommand(ID_NEW_GAME);
    frame->OnCommand(ID_LOAD_GAME);
    QCOMPARE(boxes.open_calls.size(), size_t{1});
    QCOMPARE(boxes.open_calls[0].initial_name, QStringLiteral("*.chd"));
    QCOMPARE(boxes.open_calls[0].default_suffix, QStringLiteral("chd"));
    QCOMPARE(frame->document->move_record, PROMOTION_GAME);
    QCOMPARE(frame->document->move_count, 9);
    QCOMPARE(log.commands[log.commands.size() - 2], std::string("bb7a8D\n"));
    QCOMPARE(game_board().squares[56], Piece{0x02});  // a White queen on a8
    QVERIFY(boxes.boxes.empty());
    QVERIFY(run_until([&] { return frame->repaint_pending == 0; }));
    QCOMPARE(frame->answer_after_paint + frame->computer_move_pending, 0);
    for (const std::string& command : log.commands) QVERIFY(command[0] != 'c');
  }

  void empty_game_and_english_letters_with_lf_ends() {
    file_command(ID_SAVE_GAME, folder.filePath("empty.chd"));
    QCOMPARE(read_whole_file(boxes.path.toStdString()), std::string());
    play({"e2e4"});
    frame->OnCommand(ID_LOAD_GAME);
    QVERIFY(frame->document->move_record.empty());
    QCOMPARE(game_board().squares[12], Piece{0x20});  // the pawn is back on e2

    boxes.path = folder.filePath("english.chd");
    std::string lf_game;
    for (const std::string& move : PROMOTION_GAME) lf_game += move + "\n";
    lf_game.replace(lf_game.size() - 2, 1, "q");  // b7a8q
    write_file(boxes.path, lf_game);
    frame->OnCommand(ID_LOAD_GAME);
    QCOMPARE(frame->document->move_record, PROMOTION_GAME);
    QVERIFY(boxes.boxes.empty());
  }

  // A file whose first line is no move holds no game: the game on the board stays.
  void file_without_a_game_keeps_the_current_game() {
    const std::vector<std::string> game = {"e2e4", "e7e5", "g1f3"};
    play(game);
    for (const char* content : {"Tolvane\r\ne2e4\r\n", "\n", "e2e5\r\n"}) {
      boxes.path = folder.filePath("not-a-game.chd");
      write_file(boxes.path, content);
      frame->OnCommand(ID_LOAD_GAME);
      QCOMPARE(boxes.boxes.back().text, QStringLiteral("Fehler in der Datei"));
      QCOMPARE(frame->document->move_record, game);
      QCOMPARE(game_board().squares[21], Piece{0x08});  // the knight on f3
      QCOMPARE(game_board().squares[36], Piece{0xA0});  // Black's pawn on e5
    }
    // The game goes on from there: Black's move is taken, White's is not.
    frame->SubmitUserMove("Bb8c6");
    QCOMPARE(frame->document->move_count, 4);
    frame->SubmitUserMove("Bd2d4");
    QCOMPARE(frame->document->move_count, 5);
  }

  // The dialogs open where the last game went, never in the folder the engine's start moved to.
  void file_dialogs_open_in_the_folder_of_the_last_game() {
    const QString started_in = QDir::currentPath();
    QTemporaryDir elsewhere;
    QVERIFY(QDir::setCurrent(elsewhere.path()));
    frame->OnCommand(ID_LOAD_GAME);  // cancelled
    QVERIFY(QDir::setCurrent(started_in));
    QCOMPARE(boxes.open_calls.back().folder, started_in);

    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("games")));
    file_command(ID_SAVE_GAME, folder.filePath("games/first.chd"));
    QCOMPARE(boxes.save_calls.back().folder, started_in);
    file_command(ID_LOAD_GAME, QString());
    QCOMPARE(boxes.open_calls.back().folder, folder.filePath("games"));
    file_command(ID_LOAD_GAME, folder.filePath("games/first.chd"));
    file_command(ID_SAVE_GAME, QString());
    QCOMPARE(boxes.save_calls.back().folder, folder.filePath("games"));
  }

  void unreadable_file_keeps_the_current_game() {
    play({"e2e4"});
    GameDocument* before = frame->document.get();
    for (const QString& path : {folder.filePath("missing.chd"), folder.path()}) {
      file_command(ID_LOAD_GAME, path);
      QCOMPARE(frame->document.get(), before);
      QCOMPARE(frame->document->move_record, std::vector<std::string>({"e2e4"}));
      QCOMPARE(boxes.boxes.back().text, QStringLiteral("Datei - Lese - Fehler"));
    }
    file_command(ID_LOAD_GAME, QString());  // both dialogs cancelled
    frame->OnCommand(ID_SAVE_GAME);
    QCOMPARE(frame->document.get(), before);
    QCOMPARE(boxes.boxes.size(), size_t{2});
  }

  void failed_save_names_its_cause_and_keeps_the_old_file() {
    play({"e2e4"});
    file_command(ID_SAVE_GAME, folder.filePath("no-folder/game.chd"));
    QCOMPARE(boxes.shown(),
             QStringList({QCoreApplication::applicationName() + ": Datei-Fehler : All or part of the path is invalid."}));

    boxes.path = folder.path();  // a folder is never replaced by the game
    frame->OnCommand(ID_SAVE_GAME);
    QCOMPARE(boxes.boxes.back().text, QStringLiteral("Datei-Fehler : The file could not be accessed."));
    QVERIFY(QFileInfo(folder.path()).isDir());
    QCOMPARE(frame->document->move_record, std::vector<std::string>({"e2e4"}));
  }

  // Whatever a file holds, loading ends with the one box and keeps the moves before the bad line.
  void odd_files_end_the_load_with_a_box_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("moves_kept");
    QByteArray binary;
    for (int i = 0; i < 4096; ++i) binary.append(static_cast<char>(i * 7));
    QTest::newRow("binary") << binary << 0;
    QTest::newRow("a blank line") << QByteArray("e2e4\r\ne7e5\r\n\r\ng1f3\r\n") << 2;
    QTest::newRow("10,000 characters on a line")
        << QByteArray("e2e4\r\n" + QByteArray(10000, 'x') + "\r\ne7e5\r\n") << 1;
    QTest::newRow("8 MB without a line end") << QByteArray(8 << 20, 'e') << 0;
    // Knights going back and forth: more moves than the node pool holds.
    QByteArray shuffle;
    for (int i = 0; i < 6000; ++i) shuffle.append("g1f3\r\ng8f6\r\nf3g1\r\nf6g8\r\n");
    QTest::newRow("more moves than the pool holds") << shuffle << -1;
  }
  void odd_files_end_the_load_with_a_box() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, moves_kept);
    boxes.path = folder.filePath("odd.chd");
    write_file(boxes.path, bytes.toStdString());
    frame->OnCommand(ID_LOAD_GAME);
    QCOMPARE(boxes.shown(), QStringList({QCoreApplication::applicationName() + ": Fehler in der Datei"}));
    if (moves_kept >= 0)
      QCOMPARE(frame->document->move_record.size(), size_t(moves_kept));
    else
      QVERIFY(frame->document->move_record.size() > 10000);
  }

  // The reader sees the file as it is when it reads on: here emptied once the first move is played.
  void a_file_emptied_while_it_loads_keeps_what_was_read() {
    boxes.path = folder.filePath("shrinking.chd");
    std::string game;
    for (int i = 0; i < 500; ++i) game += "g1f3\r\ng8f6\r\nf3g1\r\nf6g8\r\n";
    write_file(boxes.path, game);
    log.on_command = [this](const std::string& command) { if (command[0] == 'b') write_file(boxes.path, ""); };
    frame->OnCommand(ID_LOAD_GAME);
    QVERIFY(boxes.boxes.size() <= 1);
    // What was read before the file changed is played; the rest is gone.
    QVERIFY(!frame->document->move_record.empty());
    QVERIFY(frame->document->move_record.size() < 2000);
  }
};

WINDOW_TEST_MAIN(GameFilesWindowTest)
#include "game_files_window_test.moc"
