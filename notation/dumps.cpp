// Console pictures of the board and listings of a position node, for debugging by console commands.
#include <cstdint>

#include "driver/game_core.h"
#include "driver/output_channel.h"
#include "notation/piece_letters.h"

namespace {

constexpr char SHADED_BLOCK = static_cast<char>(0xB1);  // code page 437
constexpr int PAUSE_EVERY = 24;
constexpr int FIRST_PAUSE_OFFSET = 20;  // first pause before entry 4

bool is_light(int square) { return (file_of(square) + rank_of(square)) % 2 == 1; }

}  // namespace

void GameCore::dump_board(const Board* board) {
  for (int rank = 7; rank >= 0; --rank) {
    console_print("\n");
    for (int file = 0; file < 8; ++file) console_print(" %02X", board->squares[square_of(file, rank)]);
  }
  console_print("\n");
  console_print("\n   Whkonig_pos: %02X", board->Whkonig_pos);
  console_print("\n   Blkonig_pos: %02X", board->Blkonig_pos);
  console_print("\n   Fast_mode  : %02X", board->Fast_mode);
}

void GameCore::print_board(const Board* board) {
  for (int rank = 7; rank >= 0; --rank) {
    console_print("\n");
    for (int file = 0; file < 8; ++file) {
      const int square = square_of(file, rank);
      const char background = is_light(square) ? '_' : ' ';
      const Piece piece = board->squares[square];
      console_print("%c%c%c", background, piece != 0 ? german_piece_letter(piece) : background, background);
    }
  }
}

void GameCore::print_board_with_attacks(const Board* board, const int16_t* attacked_by_white,
                                        const int16_t* attacked_by_black) {
  for (int rank = 7; rank >= 0; --rank) {
    for (int line = 0; line < 3; ++line) {
      console_print("\n");
      for (int file = 0; file < 8; ++file) {
        const int square = square_of(file, rank);
        const char background = is_light(square) ? ' ' : SHADED_BLOCK;
        if (line == 0) {
          const Piece piece = board->squares[square];
          print_repeated(3, background);
          console_print("%c%c%c", background, piece != 0 ? german_piece_letter(piece) : background, background);
          print_repeated(2, background);
          continue;
        }
        const int16_t count = (line == 1 ? attacked_by_white : attacked_by_black)[square];
        print_repeated(2, background);
        if (count != 0)
          console_print("%04X", static_cast<uint16_t>(count));
        else
          print_repeated(4, background);
        print_repeated(2, background);
      }
    }
  }
}

void GameCore::print_repeated(int count, char character) {
  for (int i = 0; i < count; ++i) console_print("%c", character);
}

void GameCore::dump_node(PositionNode* node) {
  console_print("\n Ausdumpen der Liste : ... %lX \n", static_cast<unsigned long>(reinterpret_cast<uintptr_t>(node)));
  console_print("Letzt_zug_zeiger: %08lX \n", static_cast<unsigned long>(node->Letzt_zug_zeiger));
  console_print("Welcher Zug     :     %04i \n", node->Welcher_zug);
  console_print("Letzter Zug von :       %02X \n", node->Letzter_zug_von);
  console_print("Letzter Zug nach:       %02X \n", node->Letzter_zug_nach);
  console_print("Letzter Zug wird:       %02X \n", node->Letzter_zug_wird);
  console_print("Letzter Status  :       %02X \n", node->Letzter_status);
  console_print("Anz. m\x94gl. Z\x81ge :     %04i \n", node->Anz_moegl_zuege);
  console_print("Qualit\x84t weiss  :     %03i \n", node->Qualitaet_weiss);
  console_print("Qualit\x84t schw.  :     %03i \n", node->Qualitaet_schw);
  console_print("Stellung        :     %04i \n", node->Stellung);
  console_print("Bester Zug      :     %04i \n", node->Bester_zug + 1);
  console_print("Gute Z\x81ge bis   :     %04i \n", static_cast<unsigned>(node->Gute_zuege_bis));

  const MoveEntry* entries = node->Zuege();
  for (int i = 1; i <= node->Anz_moegl_zuege; ++i) {
    if ((i + FIRST_PAUSE_OFFSET) % PAUSE_EVERY == 0) {
      console_print("Zum Weiterfahren Taste ... Ende --> Q");
      if (console_pause() == 'Q') return;
      console_print("\n");
    }
    const MoveEntry& entry = entries[i - 1];
    console_print("Zug %i :   %hX ", i, static_cast<unsigned short>(entry.Von));
    console_print(" -  %hX ", static_cast<unsigned short>(entry.Nach));
    console_print(" Fig.:  %02X ", entry.Fig);
    console_print(" Status .:  %hX ", static_cast<unsigned short>(entry.Status));
    console_print(" -->  %08lX ", static_cast<unsigned long>(entry.Folge_zeiger));
    if (entry.Folge_zeiger != 0)
      console_print("  Stell.:  %i  \n", node_at(entry.Folge_zeiger)->Stellung);
    else
      console_print(" \n");
  }
}
