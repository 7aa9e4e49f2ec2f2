// The symbol palette: its buttons, their labels and places, and what each one inserts.
#include "edit/palette.h"

#include <set>

#include "editor_harness.h"

namespace kav {
namespace {

using PaletteTest = EditorTest;

TEST(PaletteButtons, LabelsIdsAndPlaces) {
  const std::vector<PaletteButton> buttons = PaletteButtons();
  const std::u16string labels =
      u"\u2264\u2265\u2208\u00B7\u00D7\u00B0\u2229\u222A\u2282\u221E\u2192\u00B1\u03A3\u03A0"
      u"\u222B\u22EF\u230A\u230B\u2308\u2309/\u221A";
  ASSERT_EQ(buttons.size(), 22u);
  std::set<std::pair<int32_t, int32_t>> places;
  for (size_t j = 0; j < buttons.size(); ++j) {
    const PaletteButton& button = buttons[j];
    EXPECT_EQ(button.id, 30039 + static_cast<int32_t>(j));
    EXPECT_EQ(button.label, labels[j]) << j;
    // cdots, the floors and the ceilings
    EXPECT_EQ(button.symbolFont, j >= 15 && j <= 19) << j;
    EXPECT_GE(button.x, 2);
    EXPECT_GE(button.y, 2);
    EXPECT_LE(button.x + kPaletteButtonSize, kPaletteWidth - 2);
    EXPECT_LE(button.y + kPaletteButtonSize, kPaletteHeight - 2);
    places.insert({button.x, button.y});
  }
  EXPECT_EQ(places.size(), buttons.size());
  EXPECT_EQ(buttons[9].x, 380);  // the tenth ends the first row
  EXPECT_EQ(buttons[10].x, 2);
  EXPECT_EQ(buttons[10].y, 44);
  EXPECT_EQ(buttons[21].x, 44);
  EXPECT_EQ(buttons[21].y, 86);
}

TEST(PaletteButtons, LabelsOfStructures) {
  EXPECT_EQ(PaletteLabel(code::Sum), u'\u03A3');
  EXPECT_EQ(PaletteLabel(code::Prod), u'\u03A0');
  EXPECT_EQ(PaletteLabel(code::Integral), u'\u222B');
  EXPECT_EQ(PaletteLabel(8804), u'\u2264');
}

TEST_F(PaletteTest, EveryButtonInsertsWhatItsEntryNames) {
  const std::u16string expected[] = {
      u"<leq>",    u"<geq>",         u"<in>",      u"<cdot>",          u"<times>",
      u"<deg>",    u"<intersection>", u"<union>",  u"<subset>",        u"<infinity>",
      u"<rarrow>", u"<pm>",          u"\\sum{}{}", u"\\prod{}{}",      u"\\integral{}{}",
      u"<cdots>",  u"<lfloor>",      u"<rfloor>",  u"<lceil>",         u"<rceil>",
      u"\\frac{}{}", u"\\sqrt{}"};
  const std::vector<PaletteButton> buttons = PaletteButtons();
  ASSERT_EQ(buttons.size(), std::size(expected));
  for (size_t j = 0; j < buttons.size(); ++j) {
    Load({u""});
    const int32_t focus = host.focusRequests;
    OnPaletteCommand(editor, buttons[j].id);
    EXPECT_EQ(Markup(), expected[j]) << j;
    EXPECT_EQ(HistorySize(), 1) << j;
    EXPECT_EQ(host.focusRequests, focus + 1) << j;
  }
}

TEST_F(PaletteTest, FractionAndRootLeaveTheCaretInTheirFirstSlot) {
  OnPaletteCommand(editor, kPaletteCommandBase + 59);
  EXPECT_EQ(Caret(), "0.0@0");
  Type(u"1");
  OnPaletteCommand(editor, kPaletteCommandBase + 60);
  Type(u"2");
  EXPECT_EQ(Markup(), u"\\frac{<1>\\sqrt{<2>}}{}");
  OnPaletteCommand(editor, kPaletteCommandBase + 51);  // sum
  EXPECT_EQ(Markup(), u"\\frac{<1>\\sqrt{<2>\\sum{}{}}}{}");
}

TEST_F(PaletteTest, APressReplacesTheSelection) {
  Load({u"<a><+><b>"});
  Press('A', true);
  OnPaletteCommand(editor, kPaletteCommandBase + 43);  // times
  EXPECT_EQ(Markup(), u"<times>");
  Press('Z', true);
  EXPECT_EQ(Markup(), u"<a><+><b>");
}

TEST_F(PaletteTest, IdsOutsideTheTableOnlyReturnTheFocus) {
  OnPaletteCommand(editor, kPaletteCommandBase - 1);
  OnPaletteCommand(editor, kPaletteCommandBase + 61);
  OnPaletteCommand(editor, 0);
  EXPECT_EQ(Markup(), u"");
  EXPECT_EQ(HistorySize(), 0);
  EXPECT_EQ(host.focusRequests, 3);
  OnPaletteCommand(editor, kPaletteCommandBase);  // alpha: in the table, though without a button
  EXPECT_EQ(Markup(), u"<alpha>");
}

TEST_F(PaletteTest, FxTogglesThePalette) {
  editor.OnCommand(command::TogglePalette);
  EXPECT_FALSE(host.paletteVisible);
  editor.OnCommand(command::TogglePalette);
  EXPECT_TRUE(host.paletteVisible);
  EXPECT_EQ(host.focusRequests, 2);
}

}  // namespace
}  // namespace kav
