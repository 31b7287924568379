#pragma once
// Move text services beyond the GameCore members: the cursor of the possible-moves listing.
#include <cstdint>

// Index of the entry list_move issued last; "f" resets it, every other mode steps it on.
extern int32_t move_list_cursor;

// Size of the private echo buffer of parse_move_text_no_echo.
constexpr int NO_ECHO_BUFFER_SIZE = 100;
