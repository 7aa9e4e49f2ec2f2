// Style statistics (which style a newly typed letter takes) and the style buttons.
#include "editor_harness.h"

namespace kav {
namespace {

using StyleTest = EditorTest;

TEST(StyleCells, RowsAndColumns) {
  EXPECT_EQ(StyleRowOf('a'), 1);
  EXPECT_EQ(StyleRowOf('z'), 26);
  EXPECT_EQ(StyleRowOf('A'), 27);
  EXPECT_EQ(StyleRowOf('Z'), 52);
  EXPECT_EQ(StyleRowOf(945), 53);  // alpha, the first table row
  EXPECT_EQ(StyleRowOf(937), 86);  // Omega, the 34th
  EXPECT_EQ(StyleRowOf('7'), 0);
  EXPECT_EQ(StyleRowOf(8804), 0);  // leq: in the table but not Greek
  EXPECT_EQ(StyleRowOf(code::Group), 0);
  EXPECT_EQ(StyleColumnOf(0), 0);
  EXPECT_EQ(StyleColumnOf(StyleRoman | StyleHat), 7);
  EXPECT_EQ(StyleColumnOf(StyleBoldRoman | StyleTilde | StyleRed), 14);
  EXPECT_EQ(StyleColumnOf(StyleRoman | StyleBoldRoman), 5);
  EXPECT_EQ(StyleColumnOf(StyleVector | StyleBar), 1);
  EXPECT_EQ(StyleOfColumn(13), StyleBoldRoman | StyleBar);
}

TEST_F(StyleTest, ANewLetterTakesTheStyleItHasMostOften) {
  Load({u"<a|rm><a|rm><a|rm><a>"});
  Type(u"+a");
  EXPECT_EQ(Markup(), u"<a|rm><a|rm><a|rm><a><+><a|rm>");
}

TEST_F(StyleTest, OnATieTheEarlierColumnWins) {
  Load({u"<a|rm><a><b|hat><b|rmbold>"});
  Type(u"+ab");
  EXPECT_EQ(Markup(), u"<a|rm><a><b|hat><b|rmbold><+><a><b|hat>");
}

TEST_F(StyleTest, CountsAreThoseOfTheLastCommit) {
  Load({u"<a|rm><a|rm>"});
  Type(u"a");  // nothing committed since the load: the old document's counts
  EXPECT_EQ(Markup(), u"<a|rm><a|rm><a>");
  Type(u"a");
  EXPECT_EQ(Markup(), u"<a|rm><a|rm><a><a|rm>");
}

TEST_F(StyleTest, OtherLinesCountButFunctionNamesDoNot) {
  Load({u"<q|rm><s|rm><i|rm><n|rm><+><s|rm><i|rm><n|rm><+><s>", u""});
  Press(key::Down);
  Type(u"+q+s");
  EXPECT_EQ(Markup(), u"<+><q|rm><+><s>");
}

TEST_F(StyleTest, IncrementalCountsMatchAFullRecount) {
  Load({u"<a|rm><b>", u"\\frac{<x|hat>}{<s><i><n>}", u"<c|rmbold><o><s>"});
  Type(u"xsin");
  Press(key::Down);
  Press('D', true);
  Type(u"b^2");
  Press(key::Up);
  Press(key::Back);
  Press('Z', true);
  Press(key::Down);
  Press(key::Return);
  Type(u"atan");
  editor.ApplyStyle(0x3C, StyleTilde);
  StyleStatistics full;
  full.Recount(editor.document().lines);
  full.Publish();
  for (int32_t row = 0; row < kStyleRows; ++row) {
    for (int32_t column = 0; column < kStyleColumns; ++column) {
      EXPECT_EQ(editor.statistics().Count(row, column), full.Count(row, column))
          << row << "," << column;
    }
  }
  EXPECT_EQ(editor.statistics().Count(StyleRowOf('a'), 5), 1);  // atan's a is taken off again
}

TEST_F(StyleTest, StyleButtonsToggleTheSymbolBeforeTheCaret) {
  Type(u"x");
  editor.OnCommand(command::StyleRoman);
  EXPECT_EQ(Markup(), u"<x|rm>");
  EXPECT_EQ(host.focusRequests, 1);
  editor.OnCommand(command::StyleRoman);
  EXPECT_EQ(Markup(), u"<x>");
  editor.OnCommand(command::StyleHat);
  editor.OnCommand(command::StyleVector);
  EXPECT_EQ(Markup(), u"<x|vector>");
  editor.OnCommand(command::StyleItalic);  // italic is the absence of both faces: already so
  EXPECT_EQ(Markup(), u"<x|vector>");
  EXPECT_EQ(HistorySize(), 5);
  Press('Z', true);
  EXPECT_EQ(Markup(), u"<x|hat>");
}

TEST_F(StyleTest, FacesAndAccentsOnlyOnLettersRedOnAnySymbol) {
  Type(u"x+");
  editor.ApplyStyle(0x03, StyleRoman);
  EXPECT_EQ(Markup(), u"<x><+>");
  editor.ApplyStyle(0x40, StyleRed);
  EXPECT_EQ(Markup(), u"<x>\\red<+>");
  Press('R', true);
  Type(u"y");
  Press(key::Right);
  editor.ApplyStyle(0x40, StyleRed);  // a structure before the caret is not a symbol
  EXPECT_EQ(Markup(), u"<x>\\red<+>\\sqrt{<y>}");
}

TEST_F(StyleTest, StyleOnASelectionSetsAllOrTakesItOffAll) {
  Load({u"<a><+>\\frac{<b>}{<c|rm>}"});
  Press('A', true);
  editor.OnCommand(command::StyleRed);
  EXPECT_EQ(Markup(), u"\\red<a>\\red<+>\\red\\frac{\\red<b>}{\\red<c|rm>}");
  EXPECT_TRUE(editor.selectionMode());
  editor.OnCommand(command::StyleRed);
  EXPECT_EQ(Markup(), u"<a><+>\\frac{<b>}{<c|rm>}");
  editor.OnCommand(command::StyleRoman);
  EXPECT_EQ(Markup(), u"<a|rm><+>\\frac{<b|rm>}{<c|rm>}");
  editor.OnCommand(command::StyleRoman);
  EXPECT_EQ(Markup(), u"<a><+>\\frac{<b>}{<c>}");
}

}  // namespace
}  // namespace kav
