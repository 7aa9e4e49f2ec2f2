// The view: scroll clamping, scrolling the current line into sight, the screen caret, and
// clicks that choose a line and a caret place. Fixed metrics: a glyph is half its size wide and
// its size tall, so a letter at size 40 is 20 by 40 with depth 16.
#include "editor_harness.h"

namespace kav {
namespace {

using ViewTest = EditorTest;

TEST_F(ViewTest, AShortDocumentSitsWithItsLastBandEndingMidWindow) {
  editor.UpdateScroll();
  EXPECT_EQ(editor.DocumentHeight(), 100);
  EXPECT_EQ(editor.scrollOffset(), -200);
  EXPECT_EQ(host.scrollBar, (ScrollBarState{400, 600, -200}));
  // The band runs from 200 to 300; the 32-pixel placeholder is centred in it.
  EXPECT_EQ(editor.LineOrigin(0).y, 234);
  EXPECT_EQ(editor.LineOrigin(0).x, 384);
}

TEST_F(ViewTest, BlockCaretOnALeadingPlaceholderBarCaretElsewhere) {
  editor.UpdateScroll();
  EXPECT_TRUE(host.caret.visible);
  EXPECT_EQ(host.caret.width, 32);
  EXPECT_EQ(host.caret.height, 32);
  EXPECT_EQ(host.caret.x, 384);
  EXPECT_EQ(host.caret.y, 234);

  Type(u"x");
  // Root 20 by 40: origin (390, 230). The bar stands right of x, 0.6 of 40 above its axis.
  EXPECT_EQ(host.caret.width, 2);
  EXPECT_EQ(host.caret.height, 40);
  EXPECT_EQ(host.caret.x, 410);
  EXPECT_EQ(host.caret.y, 230);
  Press(key::Home);
  EXPECT_EQ(host.caret.x, 390);

  Load({u"\\super{<2>}"});
  Press(key::Home);
  EXPECT_EQ(host.caret.width, 32);  // positions 0 and 1: the placeholder's box
  Press(key::Right);
  Press(key::Right);
  Press(key::Right);
  EXPECT_EQ(Caret(), "root@2");
  EXPECT_EQ(host.caret.width, 2);
  EXPECT_EQ(host.caret.height, 40);  // the superscript node itself stands at the row's size
}

TEST_F(ViewTest, SelectionModeHidesTheCaret) {
  Type(u"ab");
  Press('A', true);
  EXPECT_FALSE(host.caret.exists);
  Press(key::End);
  EXPECT_TRUE(host.caret.visible);
}

TEST_F(ViewTest, MovingToALineOutsideTheWindowCentresIt) {
  Load(std::vector<std::u16string>(20, u"<a>"));
  EXPECT_EQ(editor.scrollOffset(), 0);
  for (int i = 0; i < 4; ++i) Press(key::Down);
  EXPECT_EQ(editor.scrollOffset(), 0);  // band 4 ends at 500, inside
  Press(key::Down);
  EXPECT_EQ(Current(), 5);
  EXPECT_EQ(editor.scrollOffset(), 250);  // band 5 ended exactly at the bottom: centred
  editor.OnVerticalScroll(ScrollRequest::ThumbTrack, 500);
  EXPECT_EQ(editor.scrollOffset(), 500);
  editor.ScrollToCurrentLine();  // the band's top at the window's top counts as outside
  EXPECT_EQ(editor.scrollOffset(), 250);
  EXPECT_EQ(host.scrollBar, (ScrollBarState{2300, 600, 250}));
}

TEST_F(ViewTest, ScrollRequestsAndTheirClamping) {
  host.clientSize = ClientSize{800, 500};
  Load(std::vector<std::u16string>(20, u"<a>"));
  Press(key::PageDown);
  EXPECT_EQ(editor.scrollOffset(), 430);
  editor.OnMouseWheel(-120);
  EXPECT_EQ(editor.scrollOffset(), 490);
  editor.OnMouseWheel(240);
  EXPECT_EQ(editor.scrollOffset(), 430);
  Press(key::PageUp);
  EXPECT_EQ(editor.scrollOffset(), 0);
  Press(key::PageUp);
  EXPECT_EQ(editor.scrollOffset(), 0);
  editor.OnVerticalScroll(ScrollRequest::ThumbTrack, 5000);
  EXPECT_EQ(editor.scrollOffset(), 2000 - 250);
  editor.OnVerticalScroll(ScrollRequest::EndScroll);
  EXPECT_EQ(editor.scrollOffset(), 1750);
}

TEST_F(ViewTest, TallLinesHaveTallerBands) {
  Load({u"\\frac{\\frac{<a>}{<b>}}{\\frac{<c>}{<d>}}", u"<x>"});
  const int32_t rootHeight = editor.document().lines[0].tree.Data(0).height;
  EXPECT_EQ(editor.BandHeight(0), std::max(100, 8 * rootHeight / 5));
  EXPECT_EQ(editor.BandTop(1), editor.BandHeight(0));
  Type(u"^");
  const int32_t grown = editor.CurrentLine().tree.Data(editor.CurrentLine().tree.root).height;
  EXPECT_EQ(editor.BandTop(1), std::max(100, 8 * grown / 5));
}

class ClickTest : public EditorTest {
 protected:
  void Click(int32_t x, int32_t y) {
    editor.OnLeftButtonDown(x, y);
    editor.OnLeftButtonUp(x, y);
  }
};

TEST_F(ClickTest, AClickBeforeOrAfterALettersCentre) {
  Load({u"<a><b>"});
  ASSERT_EQ(editor.LineOrigin(0).x, 380);
  ASSERT_EQ(editor.LineOrigin(0).y, 230);
  Click(380 + 35, 250);
  EXPECT_EQ(Caret(), "root@2");
  Click(380 + 25, 250);
  EXPECT_EQ(Caret(), "root@1");
  Click(380 + 3, 250);
  EXPECT_EQ(Caret(), "root@0");
  Click(380 - 11, 250);
  EXPECT_EQ(Caret(), "root@0");
  EXPECT_FALSE(editor.selectionMode());
  EXPECT_TRUE(host.caret.visible);
  EXPECT_FALSE(host.mouseCaptured);
}

TEST_F(ClickTest, FarRightOfTheFormulaIsTheLineEnd) {
  Load({u"<a>\\super{<b>}"});  // 38 wide: origin x 381
  ASSERT_EQ(editor.LineOrigin(0).x, 381);
  Click(381 + 48, 248);  // 10 pixels right: still the nearest box, b in the superscript
  EXPECT_EQ(Caret(), "1.0@1");
  Click(381 + 49, 248);  // 11 pixels right: the end of the line
  EXPECT_EQ(Caret(), "root@2");
}

TEST_F(ClickTest, ClickOnAPlaceholderOrARootOrAnEmptyLine) {
  Load({u"\\frac{}{<b>}\\sqrt{<c>}"});
  const EquationLine& line = editor.CurrentLine();
  const LinePoint origin = editor.LineOrigin(0);
  const NodeData& numerator =
      line.tree.Data(line.tree.Child(line.tree.Child(line.tree.root, 0), 0));
  Click(origin.x + numerator.x + numerator.width - 1, origin.y + numerator.y + 2);
  EXPECT_EQ(Caret(), "0.0@0");
  const NodeData& root = line.tree.Data(line.tree.Child(line.tree.root, 1));
  Click(origin.x + root.x + 12, origin.y + root.y + root.height / 2);
  EXPECT_EQ(Caret(), "1.0@0");  // right of the radical's centre: into the root

  Load({u""});
  Click(10, 10);
  EXPECT_EQ(Caret(), "root@0");
}

TEST_F(ClickTest, TheBorderBetweenTwoBandsBelongsToTheUpperLine) {
  Load({u"<a>", u"<b>"});
  ASSERT_EQ(editor.scrollOffset(), -100);
  Click(400, 200);
  EXPECT_EQ(Current(), 0);
  Click(400, 201);
  EXPECT_EQ(Current(), 1);
  Click(400, 5000);  // below every band: the line stays
  EXPECT_EQ(Current(), 1);
}

}  // namespace
}  // namespace kav
