
#include "tests/console_io.h"
#include "tests/notation/notation_fixture.h"

namespace {

// Collects the console channel's bytes while a dump runs.
class DumpTest : public NotationTest {
 protected:
  std::string printed() { return console_.text(); }
  ConsoleCapture console_;
};

size_t count_of(const std::string& text, const std::string& part) {
  size_t n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

TEST_F(DumpTest, BoardInHexWithKingsAndMode) {
  base("k7/8/8/8/8/8/8/7K w - - 0 1");
  game_board().Whkonig_pos = 7;
  game_board().Blkonig_pos = 56;
  core.dump_board(&game_board());
  std::string expected = "\n 81 00 00 00 00 00 00 00";
  for (int rank = 7; rank > 1; --rank) expected += "\n 00 00 00 00 00 00 00 00";
  expected += "\n 00 00 00 00 00 00 00 01\n\n   Whkonig_pos: 07\n   Blkonig_pos: 38\n   Fast_mode  : 00";
  EXPECT_EQ(printed(), expected);
}

TEST_F(DumpTest, BoardPictureWithGermanLettersOnShadedSquares) {
  base(kStart);
  core.print_board(&game_board());
  EXPECT_EQ(printed(),
            "\n_t_ s _l_ d _k_ l _s_ t "
            "\n b _b_ b _b_ b _b_ b _b_"
            "\n___   ___   ___   ___   "
            "\n   ___   ___   ___   ___"
            "\n___   ___   ___   ___   "
            "\n   ___   ___   ___   ___"
            "\n_B_ B _B_ B _B_ B _B_ B "
            "\n T _S_ L _D_ K _L_ S _T_");
}

TEST_F(DumpTest, AttackPictureShowsBothCountsInHex) {
  base("8/8/8/8/8/8/8/K6k w - - 0 1");
  int16_t white[64] = {}, black[64] = {};
  white[0] = 0x1A;
  black[0] = 2;
  core.print_board_with_attacks(&game_board(), white, black);
  const std::string text = printed();
  ASSERT_EQ(text.size(), 24u * 65u);
  // Rank 1 begins with a1, a dark square holding the white king; b1 is light and empty.
  const std::string rank1 = text.substr(21 * 65);
  auto line = [](const char* dark_square, const char* light_square) {
    std::string expected = "\n";
    for (const char* c = dark_square; *c; ++c) expected += *c == '#' ? static_cast<char>(0xB1) : *c;
    return expected.append(light_square);
  };
  EXPECT_EQ(rank1.substr(0, 17), line("####K###", "        "));
  EXPECT_EQ(rank1.substr(65, 17), line("##001A##", "        "));
  EXPECT_EQ(rank1.substr(130, 9), line("##0002##", ""));
  EXPECT_EQ(rank1.substr(57, 8), "    k   ");
}

TEST_F(DumpTest, NodeWithoutMovesGivesTheHeaderOnly) {
  PositionNode* node = base("k7/1Q6/1K6/8/8/8/8/8 b - - 0 7");
  ASSERT_EQ(node->Anz_moegl_zuege, 0);
  core.dump_node(node);
  const std::string text = printed();
  EXPECT_EQ(text.substr(0, 28), "\n Ausdumpen der Liste : ... ");
  // After the node's address, its header field by field.
  EXPECT_EQ(text.substr(text.find("\nLetzt_zug_zeiger")),
            "\nLetzt_zug_zeiger: 00000000 \nWelcher Zug     :     -007 \nLetzter Zug von :       00 \n"
            "Letzter Zug nach:       00 \nLetzter Zug wird:       00 \nLetzter Status  :       00 \n"
            "Anz. m\x94gl. Z\x81ge :     0000 \nQualit\x84t weiss  :     071 \nQualit\x84t schw.  :     063 \n"
            "Stellung        :     0000 \nBester Zug      :     0001 \nGute Z\x81ge bis   :     0000 \n");
}

TEST_F(DumpTest, NodeMovesArePagedWithoutStoppingWhenNoKeyIsPressed) {
  PositionNode* node = base(kStart);
  PositionNode* child = PlayMove(node, &core, &game_board(), 0);
  child->Stellung = 123;
  TakeBack(child, &game_board());
  core.dump_node(node);
  const std::string text = printed();
  // Each entry starts a line, the fourth after the one pause; a child's position number is shown.
  EXPECT_EQ(count_of(text, "\nZug "), 20u);
  EXPECT_EQ(count_of(text, "Zum Weiterfahren"), 1u);
  EXPECT_NE(text.find("  00000000  \nZum Weiterfahren Taste ... Ende --> Q\nZug 4 :"), std::string::npos);
  EXPECT_NE(text.find("  Stell.:  123  \n"), std::string::npos);
  EXPECT_TRUE(text.ends_with("\nZug 20 :   F  -  1F  Fig.:  20  Status .:  F  -->  00000000  \n"));
}

}  // namespace
