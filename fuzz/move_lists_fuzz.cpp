// The rules core and the engine program's board play the same random game from a set of start
// positions: at every position both must list the same legal moves, and at the last position both
// must count the same perft leaves two plies deep.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "board/movegen.h"
#include "board/position.h"
#include "fuzz/fuzz_support.h"
#include "tools/perft/fen_board.h"
#include "tools/perft/perft.h"

namespace {

// The usual perft positions: castling, en passant, promotions and pins in every mix.
const char* const START_POSITIONS[] = {
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
    "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
    "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1",
    "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8",
    "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10",
};

char promotion_letter(Piece piece) {
  switch (piece & KIND_MASK) {
    case QUEEN: return 'q';
    case ROOK: return 'r';
    case BISHOP: return 'b';
    default: return 'n';
  }
}

std::string entry_text(const MoveEntry& entry) {
  std::string text{char('a' + file_of(entry.Von)), char('1' + rank_of(entry.Von)), char('a' + file_of(entry.Nach)),
                   char('1' + rank_of(entry.Nach))};
  if (entry.Status & PROMOTION_MARK) text += promotion_letter(entry.Fig);
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

void report_difference(const tolvane::Position& position, const std::vector<std::string>& rules,
                       const std::vector<std::string>& engine) {
  std::fprintf(stderr, "%s\nrules core:", position.fen().c_str());
  for (const std::string& text : rules) std::fprintf(stderr, " %s", text.c_str());
  std::fprintf(stderr, "\nengine:    ");
  for (const std::string& text : engine) std::fprintf(stderr, " %s", text.c_str());
  std::fprintf(stderr, "\n");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const char* fen = START_POSITIONS[data[0] % std::size(START_POSITIONS)];
  Board* board = &game_board();
  ResetPool(&game_core, &game_core.pool);
  board->Fast_mode = 0;
  PositionNode* node = base_node_from_fen(fen, &game_core);
  tolvane::Position position = *tolvane::Position::from_fen(fen);
  for (size_t i = 1;; ++i) {
    FilterLegalMoves(node, &game_core, board);
    const std::vector<std::string> rules = rules_moves(node);
    const std::vector<std::string> engine = engine_moves(position);
    if (rules != engine) report_difference(position, rules, engine);
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
