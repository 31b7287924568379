// Setting up positions, reading moves, exchanges and draw rules of the board.
#include <gtest/gtest.h>

#include "board/movegen.h"

namespace tolvane {
namespace {

Position from(const char* fen) {
  auto p = Position::from_fen(fen);
  EXPECT_TRUE(p) << fen;
  return p ? *p : Position::start();
}

TEST(PositionText, ReadsTheProgramsTextWithTwoBlanksAndFixedCastling) {
  auto pos = Position::from_fen("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b  KQkq - 0 1");
  ASSERT_TRUE(pos);
  EXPECT_EQ(pos->side_to_move(), Black);
  EXPECT_EQ(pos->castling_rights(), 15);
  // "KQkq" with kings and rooks gone from home: the rights that cannot exist are dropped.
  auto moved = Position::from_fen("4k3/8/8/8/8/8/8/R3K1R1 w  KQkq - 0 30");
  ASSERT_TRUE(moved);
  EXPECT_EQ(moved->castling_rights(), WhiteQueenSide);
  EXPECT_EQ(moved->fullmove_number(), 30);
  std::vector<std::string> castlings;
  for (Move m : legal_moves(*moved))
    if (m.kind() == MoveKind::Castling) castlings.push_back(move_to_text(m));
  EXPECT_EQ(castlings, std::vector<std::string>{"e1c1"});
}

TEST(PositionText, RejectsMalformedAndImpossiblePositions) {
  EXPECT_FALSE(Position::from_fen(""));
  EXPECT_FALSE(Position::from_fen("8/8/8/8/8/8/8/8 w - - 0 1"));                  // no kings
  EXPECT_FALSE(Position::from_fen("4k3/8/8/8/8/8/8/4K3 x - - 0 1"));              // side letter
  EXPECT_FALSE(Position::from_fen("4k3/8/8/8/8/8/8/4K2 w - - 0 1"));              // short rank
  EXPECT_FALSE(Position::from_fen("4k3/8/8/8/8/8/8/4K3/8 w - - 0 1"));            // nine ranks
  EXPECT_FALSE(Position::from_fen("4k3/8/8/8/8/8/8/P3K3 w - - 0 1"));             // pawn on rank 1
  EXPECT_FALSE(Position::from_fen("4k3/8/8/8/8/8/4R3/4K3 w - - 0 1"));            // side not to move in check
}

TEST(PositionText, WritesBackWhatItRead) {
  for (const char* fen : {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
                          "rnbqkbnr/ppp1pppp/8/8/3pP3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 3"})
    EXPECT_EQ(from(fen).fen(), fen);
  // An en passant square no pawn can use is not kept.
  EXPECT_EQ(from("4k3/8/8/8/4P3/8/8/4K3 b - e3 0 1").en_passant_square(), NoSquare);
}

TEST(PositionText, MoveCountersGrownByMovesReadBack) {
  Position pos = from("7k/8/8/8/8/8/8/K7 b - - 999999 999999");
  pos.make(*parse_move(pos, "h8g7"));
  EXPECT_EQ(pos.fen(), "8/6k1/8/8/8/8/8/K7 w - - 1000000 1000000");
  EXPECT_EQ(from(pos.fen().c_str()).fen(), pos.fen());
}

TEST(MoveText, AcceptsBothLetterSetsInEitherCase) {
  Position pos = from("1n2k3/P7/8/8/8/8/8/4K3 w - - 0 1");
  auto queen = parse_move(pos, "a7a8q");
  ASSERT_TRUE(queen);
  EXPECT_EQ(queen->promotion(), Queen);
  EXPECT_EQ(parse_move(pos, "a7a8D"), queen);
  EXPECT_EQ(parse_move(pos, "a7a8"), queen);  // no letter: a queen
  for (const auto& [text, piece] : {std::pair{"a7b8S", Knight}, {"a7b8t", Rook}, {"a7a8L", Bishop}})
    EXPECT_EQ(parse_move(pos, text)->promotion(), piece) << text;
  EXPECT_EQ(parse_move(pos, "A7A8Q"), queen);  // squares in capitals as well
  EXPECT_EQ(move_to_text(*parse_move(pos, "E1F2")), "e1f2");
  for (const char* text : {"a7a8x", "e1e3", "e1", "i1e2", "I1E2"}) EXPECT_FALSE(parse_move(pos, text)) << text;
  EXPECT_EQ(move_to_text(*parse_move(pos, "a7b8n")), "a7b8n");
}

TEST(Exchange, CountsRecapturesAndXRays) {
  // Pawn takes a defended knight: wins a knight for a pawn.
  Position pos = from("4k3/8/3n4/2P1p3/8/8/8/4K3 w - - 0 1");
  EXPECT_EQ(pos.see(*parse_move(pos, "c5d6")), SeeValue[Knight]);
  // Rook takes a pawn defended by a pawn: loses the rook for a pawn.
  pos = from("4k3/8/3p4/4p3/8/8/8/4RK2 w - - 0 1");
  EXPECT_EQ(pos.see(*parse_move(pos, "e1e5")), SeeValue[Pawn] - SeeValue[Rook]);
  // Doubled rooks against a lone defender: the rear rook backs up the first.
  pos = from("4r1k1/8/8/4p3/8/8/4R3/4R1K1 w - - 0 1");
  EXPECT_EQ(pos.see(*parse_move(pos, "e2e5")), SeeValue[Pawn]);
  // Quiet move onto an attacked square.
  pos = from("4k3/8/8/3p4/8/2N5/8/4K3 w - - 0 1");
  EXPECT_EQ(pos.see(*parse_move(pos, "c3b5")), 0);
  EXPECT_EQ(pos.see(*parse_move(pos, "c3e4")), -SeeValue[Knight]);
}

TEST(DrawRules, InsufficientMaterial) {
  EXPECT_TRUE(from("4k3/8/8/8/8/8/8/4K3 w - - 0 1").insufficient_material());
  EXPECT_TRUE(from("4k3/8/8/8/8/8/8/4KN2 w - - 0 1").insufficient_material());
  EXPECT_TRUE(from("4kb2/8/8/8/8/8/8/2B1K3 w - - 0 1").insufficient_material());  // same colour
  EXPECT_FALSE(from("4k1b1/8/8/8/8/8/8/2B1K3 w - - 0 1").insufficient_material());
  EXPECT_FALSE(from("4k3/8/8/8/8/8/8/3NKN2 w - - 0 1").insufficient_material());
  EXPECT_FALSE(from("4k3/8/8/8/8/8/4P3/4K3 w - - 0 1").insufficient_material());
}

TEST(DrawRules, RepetitionCountsOnlySincetheLastIrreversibleMove) {
  Position pos = Position::start();
  const char* shuffle[] = {"g1f3", "g8f6", "f3g1", "f6g8"};
  for (const char* m : shuffle) pos.make(*parse_move(pos, m));
  EXPECT_TRUE(pos.repeated(1));
  EXPECT_FALSE(pos.repeated(2));
  for (const char* m : shuffle) pos.make(*parse_move(pos, m));
  EXPECT_TRUE(pos.repeated(2));
  pos.make(*parse_move(pos, "e2e4"));
  EXPECT_FALSE(pos.repeated(1));
}

TEST(Keys, TranspositionsMeetAndUnmakeRestores) {
  Position a = Position::start(), b = Position::start();
  for (const char* m : {"g1f3", "d7d5", "d2d4"}) a.make(*parse_move(a, m));
  for (const char* m : {"d2d4", "d7d5", "g1f3"}) b.make(*parse_move(b, m));
  EXPECT_EQ(a.key(), b.key());
  EXPECT_EQ(a.key(), from(a.fen().c_str()).key());
  // Castling rights and en passant are part of the key.
  EXPECT_NE(from("r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1").key(), from("r3k2r/8/8/8/8/8/8/R3K2R w Kkq - 0 1").key());
}

}  // namespace
}  // namespace tolvane
