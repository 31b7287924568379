#pragma once
// JSON string literals of the interpreter's texts, which are bytes rather than UTF-8.
#include <string>

// The text as a quoted JSON string; bytes 0x80 and above become \u00XX, so code page 437
// characters survive as their byte values.
std::string json_string(const std::string& text);
