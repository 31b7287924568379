#include "tools/console/json_text.h"

#include <cstdio>

std::string json_string(const std::string& text) {
  std::string quoted = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    switch (c) {
      case '"': quoted += "\\\""; break;
      case '\\': quoted += "\\\\"; break;
      case '\n': quoted += "\\n"; break;
      case '\r': quoted += "\\r"; break;
      case '\t': quoted += "\\t"; break;
      case '\b': quoted += "\\b"; break;
      case '\f': quoted += "\\f"; break;
      default:
        if (byte < 0x20 || byte >= 0x7F) {
          char escape[8];
          snprintf(escape, sizeof escape, "\\u%04X", byte);
          quoted += escape;
        } else {
          quoted += c;
        }
    }
  }
  return quoted + "\"";
}
