#include "tools/console/json_text.h"

#include <gtest/gtest.h>

namespace {

TEST(JsonString, QuotesAndBackslashesAreEscaped) {
  EXPECT_EQ(json_string("say \"e4\" \\ now"), "\"say \\\"e4\\\" \\\\ now\"");
}

TEST(JsonString, ControlCharactersUseShortOrNumericEscapes) {
  EXPECT_EQ(json_string("\n a\tb\r"), "\"\\n a\\tb\\r\"");
  EXPECT_EQ(json_string(std::string("\x01\x1f", 2)), "\"\\u0001\\u001F\"");
}

TEST(JsonString, HighBytesKeepTheirValue) {
  // Code page 437 umlauts of the dumps, and the shaded block.
  EXPECT_EQ(json_string("m\x94gl. Z\x81ge \xB1"), "\"m\\u0094gl. Z\\u0081ge \\u00B1\"");
  EXPECT_EQ(json_string(""), "\"\"");
}

}  // namespace
