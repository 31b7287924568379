// The rules core and the engine program's board play the same random game from a set of start
// positions: at every position both must list the same legal moves, and at the last position both
// must count the same perft leaves two plies deep.
#include <algorithm>
#include <cstdio>

#include "board/movegen.h"
#include "board/position.h"
#include "fuzz/fuzz_support.h"
#include "notation/piece_letters.h"
#include "tests/perft_positions.h"
#include "tools/perft/fen_board.h"
#include "tools/perft/perft.h"

namespace {

std::string entry_text(const MoveEntry& entry) {
  std::string text{char('a' + file_of(entry.Von)), char('1' + rank_of(entry.Von)), char('a' + file_of(entry.Nach)),
                   char('1' + rank_of(entry.Nach))};
  if (entry.Status & PROMOTION_MARK) text += english_piece_letter(entry.Fig | BLACK);  // lower case
  return text;
}

std::vector<std::string> rules_moves(const PositionNode* node) {
  std::vector<std::string> texts;
  for (int i = 0; i < node->Anz_moegl_zuege; ++i) texts.push_back(entry_text(node->Zuege()[i]));
  std::sort(texts.begin(), texts.end());
  return texts;
}

std::vector<std::string> engine_moves(const tolvane::Position& position) {
  std::vector<std::string> texts;
  for (const tolvane::Move move : tolvane::legal_moves(position)) texts.push_back(tolvane::move_to_text(move));
  std::sort(texts.begin(), texts.end());
  return texts;
}

std::string joined(const std::vector<std::string>& texts) {
  std::string line;
  for (const std::string& text : texts) line += " " + text;
  return line;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  // The standard perft positions: castling, en passant, promotions and pins in every mix.
  const char* fen = kPerftPositions[data[0] % kPerftPositions.size()].fen;
  Board* board = &game_board();
  ResetPool(&game_core, &game_core.pool);
  board->Fast_mode = 0;
  PositionNode* node = base_node_from_fen(fen, &game_core);
  tolvane::Position position = *tolvane::Position::from_fen(fen);
  for (size_t i = 1;; ++i) {
    FilterLegalMoves(node, &game_core, board);
    const std::vector<std::string> rules = rules_moves(node);
    const std::vector<std::string> engine = engine_moves(position);
    if (rules != engine)
      std::fprintf(stderr, "%s\nrules core:%s\nengine:    %s\n", position.fen().c_str(), joined(rules).c_str(),
                   joined(engine).c_str());
    require(rules == engine, "the two move generators list different moves");
    if (i >= size || rules.empty()) break;
    const int16_t index = static_cast<int16_t>(data[i] % rules.size());
    const std::string played = entry_text(node->Zuege()[index]);
    node = PlayMove(node, &game_core, board, index);
    position.make(*tolvane::parse_move(position, played));
  }
  require(perft(node, &game_core, board, 2) == tolvane::perft(position, 2),
          "the two move generators count different perft leaves");
  return 0;
}
