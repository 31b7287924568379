#include "board/words.h"

#include <cctype>

namespace tolvane {
namespace {

bool blank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

std::size_t skip(std::string_view text, std::size_t i, bool over_blanks) {
  while (i < text.size() && blank(text[i]) == over_blanks) ++i;
  return i;
}

}  // namespace

std::vector<std::string_view> split_words(std::string_view text) {
  std::vector<std::string_view> words;
  for (std::size_t i = skip(text, 0, true); i < text.size();) {
    const std::size_t end = skip(text, i, false);
    words.push_back(text.substr(i, end - i));
    i = skip(text, end, true);
  }
  return words;
}

std::string_view after_first_word(std::string_view text) {
  const std::size_t word = skip(text, 0, true);
  return text.substr(skip(text, skip(text, word, false), true));
}

}  // namespace tolvane
