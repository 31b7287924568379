#include "ui/files/game_file.h"

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "tests/ui/files/file_test_support.h"

namespace {

QString q(const std::string& path) { return QString::fromStdString(path); }

// Every piece read_line gives with a buffer of size bytes; reading ends at the end of the file.
std::vector<std::string> read_pieces(const std::string& path, int size) {
  GameFileReader reader;
  EXPECT_EQ(reader.open(q(path)), 0);
  std::vector<std::string> pieces;
  std::vector<char> buffer(size);
  while (reader.read_line(buffer.data(), size)) pieces.emplace_back(buffer.data());
  EXPECT_EQ(reader.read_failure(), 0);
  return pieces;
}

const std::string OLD_GAME = "d2d4\r\nd7d5\r\n";

}  // namespace

class GameFile : public ::testing::Test {
 protected:
  MountableFolder folder;
};

TEST_F(GameFile, LfCrLfLoneCrAndMissingLastLineEnd) {
  for (const char* bytes : {"e2e4\ne7e5\n\n", "e2e4\r\ne7e5\r\n\r\n"}) {
    write_whole_file(folder.path("game"), bytes);
    EXPECT_EQ(read_pieces(folder.path("game"), 497), (std::vector<std::string>{"e2e4\n", "e7e5\n", "\n"}));
  }

  write_whole_file(folder.path("odd"), "a\rb\r\r\nc");
  EXPECT_EQ(read_pieces(folder.path("odd"), 497), (std::vector<std::string>{"a\rb\r\n", "c"}));
}

TEST_F(GameFile, LongLinesComeInPiecesAndCrLfAcrossReadChunks) {
  write_whole_file(folder.path("long"), std::string(1000, 'x') + "\r\ne2e4\r\n");
  EXPECT_EQ(read_pieces(folder.path("long"), 497),
            (std::vector<std::string>{std::string(496, 'x'), std::string(496, 'x'),
                                      std::string(8, 'x') + "\n", "e2e4\n"}));
  // The CR ends one read of the file and its LF begins the next.
  write_whole_file(folder.path("edge"), std::string(4095, 'y') + "\r\nz");
  EXPECT_EQ(read_pieces(folder.path("edge"), 5000), (std::vector<std::string>{std::string(4095, 'y') + "\n", "z"}));
}

TEST_F(GameFile, OpeningRefusesWhatIsNoRegularFile) {
  GameFileReader reader;
  EXPECT_EQ(reader.open(q(folder.path("missing.chd"))), 2);
  EXPECT_EQ(reader.open(q(folder.path("no-folder/missing.chd"))), 3);
  EXPECT_EQ(reader.open(q(folder.folder())), 5);
  // A pipe without writer would block a plain open for ever.
  ASSERT_EQ(mkfifo(folder.path("pipe").c_str(), 0600), 0);
  EXPECT_EQ(reader.open(q(folder.path("pipe"))), 5);
  char buffer[8];
  EXPECT_FALSE(reader.read_line(buffer, sizeof buffer));
}

TEST_F(GameFile, ReadFailureEndsReadingWithItsCause) {
  write_whole_file(folder.path("game.chd"), OLD_GAME);
  GameFileReader reader;
  ASSERT_EQ(reader.open(q(folder.path("game.chd"))), 0);
  char buffer[497];
  fail_next_call("read", EIO);
  EXPECT_FALSE(reader.read_line(buffer, sizeof buffer));
  EXPECT_EQ(reader.read_failure(), 10);
}

TEST_F(GameFile, ReplacingKeepsModeAndLinksAndLeavesNoTemporaryFile) {
  const std::string game = folder.path("game.chd");
  write_whole_file(game, OLD_GAME);
  chmod(game.c_str(), 0640);
  ASSERT_EQ(symlink("game.chd", folder.path("link.chd").c_str()), 0);
  ASSERT_EQ(save_game_file(q(folder.path("link.chd")), {"e2e4"}), 0);
  EXPECT_EQ(read_whole_file(game), "e2e4\r\n");
  EXPECT_TRUE(std::filesystem::is_symlink(folder.path("link.chd")));
  struct stat info;
  ASSERT_EQ(stat(game.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  EXPECT_EQ(folder.listing(), "game.chd link.chd ");
}

TEST_F(GameFile, SaveFailuresNameTheCauseAndKeepTheOldFile) {
  EXPECT_EQ(save_game_file(q(folder.path("no-folder/game.chd")), {"e2e4"}), 3);
  EXPECT_FALSE(std::filesystem::exists(folder.path("no-folder")));
  // Neither a folder nor a pipe is replaced by a file of that name.
  ASSERT_EQ(mkfifo(folder.path("pipe").c_str(), 0600), 0);
  EXPECT_EQ(save_game_file(q(folder.path("pipe")), {"e2e4"}), 5);
  EXPECT_TRUE(std::filesystem::is_fifo(folder.path("pipe")));
  EXPECT_EQ(save_game_file(q(folder.folder()), {"e2e4"}), 5);

  // A full disk may show only when the data reaches it, or when the file closes.
  const std::string game = folder.path("game.chd");
  write_whole_file(game, OLD_GAME);
  fail_next_call("fsync", ENOSPC);
  EXPECT_EQ(save_game_file(q(game), {"e2e4"}), 13);
  fail_next_call("close", EIO);
  EXPECT_EQ(save_game_file(q(game), {"e2e4"}), 10);
  EXPECT_EQ(read_whole_file(game), OLD_GAME);
  EXPECT_EQ(folder.listing(), "game.chd pipe ");
}

// An old game on a small file system of its own where the machine allows one.
class GameFileOnItsOwnDisk : public GameFile {
 protected:
  void SetUp() override { write_whole_file(game, OLD_GAME); }
  const bool mounted = folder.mount_tmpfs("64k");
  const std::string game = folder.path("game.chd");
};

TEST_F(GameFileOnItsOwnDisk, ReadOnlyFolderKeepsTheOldFile) {
  if (mounted) {
    ASSERT_EQ(mount(nullptr, folder.folder().c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
  } else if (geteuid() != 0) {
    ASSERT_EQ(chmod(folder.folder().c_str(), 0555), 0);
  } else {
    fail_next_call("mkostemp", EROFS);  // root may write anywhere outside a read-only mount
  }
  EXPECT_EQ(save_game_file(q(game), {"e2e4", "e7e5"}), 5);
  EXPECT_EQ(read_whole_file(game), OLD_GAME);
  EXPECT_EQ(folder.listing(), "game.chd ");
}

TEST_F(GameFileOnItsOwnDisk, FullDiskKeepsTheOldFile) {
  if (!mounted) fail_next_call("fsync", ENOSPC);
  const std::vector<std::string> too_much(mounted ? 4000 : 1, std::string(100, 'x'));
  EXPECT_EQ(save_game_file(q(game), too_much), 13);
  EXPECT_EQ(read_whole_file(game), OLD_GAME);
  EXPECT_EQ(folder.listing(), "game.chd ");
}
