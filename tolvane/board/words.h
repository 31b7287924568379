// Splitting command and position text into words: the one tokeniser of the
// engine program. Words are separated by any run of blanks.
#pragma once

#include <string_view>
#include <vector>

namespace tolvane {

std::vector<std::string_view> split_words(std::string_view text);

// The text after the first word and the blanks that follow it ("" when none).
std::string_view after_first_word(std::string_view text);

}  // namespace tolvane
