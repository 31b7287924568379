// Typed moves to move-list entries, and entries to the texts the user and the engine see.
#include <cstring>

#include "driver/game_core.h"
#include "driver/output_channel.h"
#include "notation/move_text.h"
#include "notation/piece_letters.h"

int32_t move_list_cursor = 0;

namespace {

constexpr int MAX_LISTED_NUMBER = 100000;  // beyond any move count; keeps the number from overflowing

// A file or rank character folded into 0..7 the way the 8-bit console program did it: the
// remainder keeps the sign of the dividend, so characters far outside "a"-"h"/"1"-"8" may fold
// to a negative step and thus to a square that no entry has.
int folded_coordinate(char c) {
  const int8_t shifted = static_cast<int8_t>(static_cast<int8_t>(c) - 1);
  return shifted % 8;
}

uint8_t folded_square(const char* text) {
  return static_cast<uint8_t>(folded_coordinate(text[0]) + 8 * folded_coordinate(text[1]));
}

// The four square characters of an entry, followed by a zero.
void write_squares(const MoveEntry& entry, char* text) {
  text[0] = square_file_letter(entry.Von);
  text[1] = square_rank_digit(entry.Von);
  text[2] = square_file_letter(entry.Nach);
  text[3] = square_rank_digit(entry.Nach);
  text[4] = '\0';
}

int16_t entry_of_number(const PositionNode* node, const char* text) {
  int number = 0;
  for (; *text >= '0' && *text <= '9' && number < MAX_LISTED_NUMBER; ++text) number = number * 10 + (*text - '0');
  return number - 1 <= node->Anz_moegl_zuege - 1 ? static_cast<int16_t>(number - 1) : -1;
}

int16_t entry_of_squares(GameCore& core, const PositionNode* node, const char* text) {
  const uint8_t from = folded_square(text);
  const uint8_t to = folded_square(text + 2);
  const char promotion_letter = text[4];
  const Piece promotion =
      promotion_letter != '\0' ? piece_from_letter(english_to_german_letter(promotion_letter)) & KIND_MASK : 0;

  // Every matching entry is looked at: the four entries of a promotion share their squares.
  int16_t found = -1;
  const MoveEntry* entries = node->Zuege();
  for (int16_t i = 0; i < node->Anz_moegl_zuege; ++i) {
    if (entries[i].Nach != to || entries[i].Von != from) continue;
    if (!(entries[i].Status & PROMOTION_MARK))
      found = i;
    else if (promotion == 0)
      core.message("\n%s\n", "Error   2 : Ungenuegende Angabe fuer Bauernumwandlung");
    else if (promotion == (entries[i].Fig & KIND_MASK))
      found = i;
  }
  return found;
}

// The entry as the engine writes moves, whatever form the user typed it in: lower-case squares
// and a lower-case English promotion letter.
void write_engine_move(const MoveEntry& entry, char* text) {
  write_squares(entry, text);
  if (entry.Status & PROMOTION_MARK) {
    text[4] = english_piece_letter(static_cast<Piece>(entry.Fig | BLACK));
    text[5] = '\0';
  }
}

}  // namespace

int16_t GameCore::parse_move_text(PositionNode* node, const char* text, char* echo) {
  int16_t found = -1;
  if (node != nullptr) {
    if (text[0] >= '0' && text[0] <= '9')
      found = entry_of_number(node, text);
    else if (strnlen(text, 4) == 4)
      found = entry_of_squares(*this, node, text);
    if (found >= 0) write_engine_move(node->Zuege()[found], echo);
  }
  console_print(" \n \n");
  return found;
}

int16_t GameCore::parse_move_text_no_echo(PositionNode* node, const char* text) {
  char discarded_echo[NO_ECHO_BUFFER_SIZE];
  return parse_move_text(node, text, discarded_echo);
}

void GameCore::set_last_move_text(int16_t index, PositionNode* node) {
  if (node == nullptr || index < 0 || index >= node->Anz_moegl_zuege) return;
  const MoveEntry& entry = node->Zuege()[index];
  char text[6];
  write_squares(entry, text);
  if (entry.Status & PROMOTION_MARK) {
    text[4] = ascii_upper(german_piece_letter(entry.Fig));
    text[5] = '\0';
  }
  set_last_move(text);
}

void GameCore::list_move(char mode, PositionNode* node) {
  move_list_cursor = mode == 'f' ? 0 : move_list_cursor + 1;
  char text[6] = "";
  if (node != nullptr && move_list_cursor >= 0 && move_list_cursor < node->Anz_moegl_zuege) {
    const MoveEntry& entry = node->Zuege()[move_list_cursor];
    write_squares(entry, text);
    if (entry.Status & PROMOTION_MARK) {
      text[4] = ascii_upper(german_to_english_letter(german_piece_letter(entry.Fig)));
      text[5] = '\0';
    }
  }
  message("%s", text);
}
