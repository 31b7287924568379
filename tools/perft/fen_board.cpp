#include "tools/perft/fen_board.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <sstream>

namespace {

Piece piece_of_letter(char letter) {
  const Piece colour = std::islower(static_cast<unsigned char>(letter)) ? BLACK : 0;
  switch (std::tolower(static_cast<unsigned char>(letter))) {
    case 'k': return KING | colour;
    case 'q': return QUEEN | colour;
    case 'r': return ROOK | colour;
    case 'b': return BISHOP | colour;
    case 'n': return KNIGHT | colour;
    case 'p': return PAWN | colour;
    default: return 0;
  }
}

bool parse_placement(const std::string& text, Piece squares[64]) {
  int rank = 7, file = 0;
  for (char c : text) {
    if (c == '/') {
      if (file != 8 || rank == 0) return false;
      --rank;
      file = 0;
    } else if (c >= '1' && c <= '8') {
      file += c - '0';
      if (file > 8) return false;
    } else {
      const Piece piece = piece_of_letter(c);
      if (piece == 0 || file > 7) return false;
      squares[square_of(file++, rank)] = piece;
    }
  }
  return rank == 0 && file == 8;
}

}  // namespace

bool board_from_fen(const std::string& fen, Board* board, PositionNode* header) {
  std::istringstream in(fen);
  std::string placement, side, castling = "-", en_passant = "-";
  int halfmoves = 0, fullmove = 1;
  if (!(in >> placement >> side)) return false;
  in >> castling >> en_passant >> halfmoves >> fullmove;
  if (side != "w" && side != "b") return false;

  Piece squares[64] = {};
  if (!parse_placement(placement, squares)) return false;

  uint8_t rights = 0;
  for (char c : castling) {
    if (c == 'K') rights |= WHITE_KING_SIDE;
    else if (c == 'Q') rights |= WHITE_QUEEN_SIDE;
    else if (c == 'k') rights |= BLACK_KING_SIDE;
    else if (c == 'q') rights |= BLACK_QUEEN_SIDE;
    else if (c != '-') return false;
  }

  std::memset(header, 0, sizeof *header);
  if (en_passant != "-") {
    if (en_passant.size() != 2 || en_passant[0] < 'a' || en_passant[0] > 'h') return false;
    const int file = en_passant[0] - 'a';
    if (en_passant[1] != '3' && en_passant[1] != '6') return false;
    // The double step that leaves this square behind it.
    const bool by_white = en_passant[1] == '3';
    header->Letzter_zug_von = square_of(file, by_white ? 1 : 6);
    header->Letzter_zug_nach = square_of(file, by_white ? 3 : 4);
  }
  if (fullmove < 1) fullmove = 1;
  header->Welcher_zug = static_cast<int16_t>(side == "w" ? fullmove : -fullmove);
  header->Letzter_status = rights;
  std::memcpy(board->squares, squares, sizeof squares);
  return true;
}

PositionNode* base_node_from_fen(const std::string& fen, PoolCursor* cursor) {
  PositionNode header;
  if (!board_from_fen(fen, &game_board(), &header)) return nullptr;
  uint8_t* free_before = cursor->Pool_free;
  PositionNode* base = NewBaseFromNode(&header, cursor);
  if (cursor->Pool_free == free_before) return nullptr;
  RecountMaterial(base, &game_board());
  return base;
}
