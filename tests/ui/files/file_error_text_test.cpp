#include "ui/files/file_error_text.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

TEST(FileErrorText, EveryCauseAndTheLongestFitsWhole) {
  EXPECT_STREQ(FileErrorText(13), "Datei-Fehler : The disk is full.");
  EXPECT_STREQ(FileErrorText(14), "Datei-Fehler : End of File");
  EXPECT_STREQ(FileErrorText(2), "Datei-Fehler : The file could not be located.");
  EXPECT_EQ(std::strlen(FileErrorText(12)), 77u);
  for (int cause : {0, 1, -1, 15, 1000}) EXPECT_STREQ(FileErrorText(cause), "Datei-Fehler : ");
}

TEST(FileErrorCause, ErrnoValuesMapOntoCauses) {
  EXPECT_EQ(file_error_cause(ENOENT, "/tmp/missing-game.chd"), 2);
  EXPECT_EQ(file_error_cause(ENOENT, "/no-such-folder-here/game.chd"), 3);
  for (const auto& [error, cause] : {std::pair{ENOTDIR, 3}, {EMFILE, 4}, {EACCES, 5}, {EPERM, 5}, {EISDIR, 5},
                                     {EROFS, 5}, {EIO, 10}, {ENOSPC, 13}, {EDQUOT, 13}, {EINVAL, 1}})
    EXPECT_EQ(file_error_cause(error, "x"), cause) << error;
}
