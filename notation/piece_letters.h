#pragma once
// Converters between squares, piece codes and the letters of the two letter sets:
// German K D T L S B for the user's last-move text, English K Q R B N P for the engine and listings.
#include <cstdint>

#include "rules/records.h"

constexpr char square_file_letter(uint8_t square) { return static_cast<char>('a' + square % 8); }
constexpr char square_rank_digit(uint8_t square) { return static_cast<char>('1' + (square % 64) / 8); }

constexpr char ascii_upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 0x20) : c; }

// German letters; a lower-case letter (any character above 'Z') gives a black piece.
constexpr Piece piece_from_letter(char letter) {
  Piece kind = 0;
  switch (ascii_upper(letter)) {
    case 'K': kind = KING; break;
    case 'D': kind = QUEEN; break;
    case 'L': kind = BISHOP; break;
    case 'S': kind = KNIGHT; break;
    case 'T': kind = ROOK; break;
    case 'B': kind = PAWN; break;
    default: break;
  }
  return static_cast<Piece>(letter > 'Z' ? kind | BLACK : kind);
}

namespace piece_letters_detail {
// Upper-case letter of a kind in one letter set ("KQBNRP" order of the kind bits), blank if none.
constexpr char kind_letter(Piece piece, const char (&letters)[7]) {
  switch (piece & KIND_MASK) {
    case KING: return letters[0];
    case QUEEN: return letters[1];
    case BISHOP: return letters[2];
    case KNIGHT: return letters[3];
    case ROOK: return letters[4];
    case PAWN:
    case 0x40: return letters[5];
    default: return ' ';
  }
}
// Black pieces in lower case; a blank for Black becomes '@'.
constexpr char coloured(Piece piece, char letter) {
  return (piece & BLACK) ? static_cast<char>(letter + 0x20) : letter;
}
}  // namespace piece_letters_detail

constexpr char german_piece_letter(Piece piece) {
  return piece_letters_detail::coloured(piece, piece_letters_detail::kind_letter(piece, "KDLSTB"));
}
constexpr char english_piece_letter(Piece piece) {
  return piece_letters_detail::coloured(piece, piece_letters_detail::kind_letter(piece, "KQBNRP"));
}

constexpr char german_to_english_letter(char letter) {
  switch (letter) {
    case 'D': return 'Q';
    case 'T': return 'R';
    case 'L': return 'B';
    case 'S': return 'N';
    case 'd': return 'q';
    case 't': return 'r';
    case 'l': return 'b';
    case 's': return 'n';
    default: return letter;
  }
}
constexpr char english_to_german_letter(char letter) {
  switch (letter) {
    case 'Q': return 'D';
    case 'R': return 'T';
    case 'B': return 'L';
    case 'N': return 'S';
    case 'q': return 'd';
    case 'r': return 't';
    case 'b': return 'l';
    case 'n': return 's';
    default: return letter;
  }
}
