#include "ui/files/file_error_text.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>

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
  EXPECT_EQ(file_error_cause(ENOTDIR, "x"), 3);
  EXPECT_EQ(file_error_cause(EMFILE, "x"), 4);
  for (int e : {EACCES, EPERM, EISDIR, EROFS}) EXPECT_EQ(file_error_cause(e, "x"), 5);
  EXPECT_EQ(file_error_cause(EIO, "x"), 10);
  for (int e : {ENOSPC, EDQUOT}) EXPECT_EQ(file_error_cause(e, "x"), 13);
  EXPECT_EQ(file_error_cause(EINVAL, "x"), 1);
}
