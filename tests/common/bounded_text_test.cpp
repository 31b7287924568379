#include "common/bounded_text.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace {

// A buffer of 6 bytes between guard bytes that no copy may touch.
struct Guarded {
  char bytes[8] = {'#', 'x', 'x', 'x', 'x', 'x', 'x', '#'};
  char* text() { return bytes + 1; }
  static constexpr std::size_t size = 6;
  bool guards_intact() const { return bytes[0] == '#' && bytes[7] == '#'; }
};

TEST(BoundedTextTest, CopyCutsWhatDoesNotFitAndSaysSo) {
  for (const auto& [text, kept, whole] : {std::tuple{"", "", true}, {"abc", "abc", true}, {"abcde", "abcde", true},
                                          {"abcdef", "abcde", false}, {"abcdefghij", "abcde", false}}) {
    Guarded buffer;
    EXPECT_EQ(copy_text(buffer.text(), Guarded::size, text), whole) << text;
    EXPECT_EQ(std::string(buffer.text()), kept) << text;
    EXPECT_TRUE(buffer.guards_intact()) << text;
  }
}

TEST(BoundedTextTest, AppendFillsUpToTheLastByteAndNoFurther) {
  Guarded buffer;
  copy_text(buffer.text(), Guarded::size, "ab");
  EXPECT_TRUE(append_text(buffer.text(), Guarded::size, "cd"));
  EXPECT_FALSE(append_text(buffer.text(), Guarded::size, "efg"));
  EXPECT_EQ(std::string(buffer.text()), "abcde");
  EXPECT_FALSE(append_text(buffer.text(), Guarded::size, "h"));
  EXPECT_TRUE(append_text(buffer.text(), Guarded::size, ""));
  EXPECT_EQ(std::string(buffer.text()), "abcde");
  EXPECT_TRUE(buffer.guards_intact());
}

TEST(BoundedTextTest, AnUnterminatedBufferIsTerminatedAtItsLastByte) {
  Guarded buffer;  // six 'x' and no terminating zero
  EXPECT_FALSE(append_text(buffer.text(), Guarded::size, "y"));
  EXPECT_EQ(std::string(buffer.text()), "xxxxx");
  EXPECT_TRUE(buffer.guards_intact());
  EXPECT_FALSE(copy_text(buffer.text(), 0, "y"));
  EXPECT_EQ(buffer.bytes[1], 'x');
}

}  // namespace
