// Lines to standard output. The search thread and the input thread both
// write, so every line goes out whole, under one lock, and at once.
#pragma once

#include <string_view>

namespace tolvane {

void say(std::string_view line);

}  // namespace tolvane
