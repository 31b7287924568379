// Pseudo-legal move generation in a fixed order, written straight into the node pool.
#include <initializer_list>

#include "rules/rules.h"

namespace {

struct Direction {
  int8_t file_step;
  int8_t rank_step;
};

constexpr Direction kKingSteps[] = {{1, 1}, {1, 0}, {1, -1}, {0, 1}, {0, -1}, {-1, 1}, {-1, 0}, {-1, -1}};
constexpr Direction kKnightSteps[] = {{-1, 2}, {1, 2}, {-1, -2}, {1, -2}, {-2, 1}, {2, 1}, {-2, -1}, {2, -1}};
constexpr Direction kBishopRays[] = {{1, 1}, {-1, 1}, {1, -1}, {-1, -1}};
constexpr Direction kRookRays[] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
constexpr Direction kQueenRays[] = {{1, 1}, {-1, 1}, {1, -1}, {-1, -1}, {1, 0}, {-1, 0}, {0, 1}, {0, -1}};

constexpr Square A1 = 0, C1 = 2, E1 = 4, G1 = 6, H1 = 7, A8 = 56, C8 = 58, E8 = 60, G8 = 62, H8 = 63;

// A move from or to a king's or rook's home square takes away the rights that depend on it.
uint8_t castling_after_from(Square square, uint8_t status) {
  switch (square) {
    case A1: return status & ~WHITE_QUEEN_SIDE;
    case E1: return status & ~(WHITE_KING_SIDE | WHITE_QUEEN_SIDE);
    case H1: return status & ~WHITE_KING_SIDE;
    case A8: return status & ~BLACK_QUEEN_SIDE;
    case E8: return status & ~(BLACK_KING_SIDE | BLACK_QUEEN_SIDE);
    case H8: return status & ~BLACK_KING_SIDE;
    default: return status;
  }
}

uint8_t castling_after_to(Square square, uint8_t status) {
  return square == E1 || square == E8 ? status : castling_after_from(square, status);
}

bool on_board(int file, int rank) { return file >= 0 && file < 8 && rank >= 0 && rank < 8; }

class Generator {
 public:
  Generator(const Board& board, PositionNode* node, uint8_t* limit)
      : board_(board),
        node_(node),
        colour_(node->Welcher_zug > 0 ? 0 : BLACK),
        write_(reinterpret_cast<uint8_t*>(node->Zuege())),
        limit_(limit),
        result_(reinterpret_cast<uint8_t*>(node)) {}

  uint8_t* run() {
    for (int square = 0; square < 64; ++square) {
      const Piece piece = board_.squares[square];
      if (piece == 0 || (piece & BLACK) != colour_) continue;
      from_ = static_cast<Square>(square);
      piece_ = piece;
      switch (piece & KIND_MASK) {
        case KING: king(); break;
        case QUEEN: slides(kQueenRays); break;
        case BISHOP: slides(kBishopRays); break;
        case KNIGHT: steps(kKnightSteps); break;
        case ROOK: slides(kRookRays); break;
        case PAWN: pawn(); break;
        default: break;
      }
    }
    return result_ ? write_ : nullptr;
  }

 private:
  bool own(Piece piece) const { return piece != 0 && (piece & BLACK) == colour_; }
  bool enemy(Piece piece) const { return piece != 0 && (piece & BLACK) != colour_; }
  uint8_t castling_status() const { return node_->Letzter_status & ALL_CASTLING; }

  void add(Square to, Piece piece, uint8_t status) {
    status = castling_after_to(to, castling_after_from(from_, status));
    // Once one entry failed to fit, the rest are not counted either.
    if (result_ == nullptr || write_ + 20 > limit_) {
      result_ = nullptr;
      return;
    }
    MoveEntry* entry = reinterpret_cast<MoveEntry*>(write_);
    *entry = MoveEntry{from_, to, piece, status, 0};
    write_ += sizeof(MoveEntry);
    ++node_->Anz_moegl_zuege;
  }

  template <size_t N>
  void steps(const Direction (&directions)[N]) {
    for (const Direction& d : directions) {
      const int file = file_of(from_) + d.file_step, rank = rank_of(from_) + d.rank_step;
      if (!on_board(file, rank)) continue;
      const Square to = square_of(file, rank);
      if (!own(board_.squares[to])) add(to, piece_, castling_status());
    }
  }

  template <size_t N>
  void slides(const Direction (&rays)[N]) {
    for (const Direction& d : rays) {
      int file = file_of(from_), rank = rank_of(from_);
      for (;;) {
        file += d.file_step;
        rank += d.rank_step;
        if (!on_board(file, rank)) break;
        const Square to = square_of(file, rank);
        const Piece target = board_.squares[to];
        if (own(target)) break;
        add(to, piece_, castling_status());
        if (target != 0) break;
      }
    }
  }

  bool empty(Square square) const { return board_.squares[square] == 0; }

  // The rook is not looked at: a right that still stands implies it is on its corner.
  void king() {
    steps(kKingSteps);
    const uint8_t rights = node_->Letzter_status;
    if (from_ == E1) {
      if (empty(5) && empty(6) && (rights & WHITE_KING_SIDE)) add(G1, piece_, castling_status());
      if (empty(3) && empty(2) && empty(1) && (rights & WHITE_QUEEN_SIDE)) add(C1, piece_, castling_status());
    } else if (from_ == E8) {
      if (empty(61) && empty(62) && (rights & BLACK_KING_SIDE)) add(G8, piece_, castling_status());
      if (empty(59) && empty(58) && empty(57) && (rights & BLACK_QUEEN_SIDE)) add(C8, piece_, castling_status());
    }
  }

  void promotions(Square to) {
    const uint8_t status = node_->Letzter_status | PROMOTION_MARK;
    const Piece colour = rank_of(from_) == 6 ? 0 : BLACK;
    for (Piece kind : {QUEEN, ROOK, BISHOP, KNIGHT}) add(to, static_cast<Piece>(kind | colour), status);
  }

  void pawn_move(Square to, bool promoting) {
    if (promoting) promotions(to);
    else add(to, piece_, castling_status());
  }

  void pawn() {
    const bool white = colour_ == 0;
    const int forward = white ? 1 : -1;
    const int file = file_of(from_), rank = rank_of(from_);
    const bool promoting = rank == (white ? 6 : 1);

    // En passant: the opponent's last move was a pawn's double step beside this pawn.
    const int en_passant_rank = white ? 4 : 3;
    const int their_start = white ? 6 : 1, their_double = white ? 4 : 3;
    if (rank == en_passant_rank && rank_of(node_->Letzter_zug_von) == their_start &&
        rank_of(node_->Letzter_zug_nach) == their_double &&
        (board_.squares[node_->Letzter_zug_nach] & KIND_MASK) == PAWN) {
      const int f = file_of(node_->Letzter_zug_nach);
      if (file == f + 1) add(square_of(file - 1, rank + forward), piece_, castling_status());
      if (file == f - 1) add(square_of(file + 1, rank + forward), piece_, castling_status());
    }

    const Square ahead = static_cast<Square>(from_ + 8 * forward);
    if (empty(ahead)) {
      pawn_move(ahead, promoting);
      if (rank == (white ? 1 : 6)) {
        const Square two_ahead = static_cast<Square>(ahead + 8 * forward);
        if (empty(two_ahead)) add(two_ahead, piece_, castling_status());
      }
    }

    for (int file_step : {-1, 1}) {
      if (!on_board(file + file_step, rank + forward)) continue;
      const Square to = square_of(file + file_step, rank + forward);
      if (enemy(board_.squares[to])) pawn_move(to, promoting);
    }
  }

  const Board& board_;
  PositionNode* node_;
  const Piece colour_;
  uint8_t* write_;
  uint8_t* const limit_;
  uint8_t* result_;
  Square from_ = 0;
  Piece piece_ = 0;
};

}  // namespace

uint8_t* GenerateMoves(PositionNode* parent, PositionNode* node, uint8_t* limit) {
  node->Letzt_zug_zeiger = offset_of(parent);
  node->Anz_moegl_zuege = 0;
  return Generator(game_board(), node, limit).run();
}
