// The view's area under the controls that cover the window, and sideways scrolling of lines too
// wide for it. Fixed metrics: a letter at size 40 is 20 by 40 and its band 100 high, the root
// 30 pixels below the band's top.
#include "editor_harness.h"

namespace kav {
namespace {

class ViewAreaTest : public EditorTest {
 protected:
  // The style buttons end at 46, the palette at 184 (both with the gap below them).
  void SetUp() override {
    host.buttonsBottom = 46;
    host.paletteBottom = 184;
  }
  void Click(int32_t x, int32_t y) {
    editor.OnLeftButtonDown(x, y);
    editor.OnLeftButtonUp(x, y);
  }
};

TEST_F(ViewAreaTest, ScrolledToTheTopTheFirstLineStandsWholeBelowThePalette) {
  Load(std::vector<std::u16string>(200, u"<a>"));
  editor.OnVerticalScroll(ScrollRequest::ThumbTrack, 0);
  EXPECT_EQ(host.scrollBar, (ScrollBarState{20000 + 208, 416, 0}));
  EXPECT_EQ(editor.LineOrigin(0).y, 184 + 30);
  EXPECT_EQ(host.caret.y, 184 + 30);
  Press(key::PageDown);
  EXPECT_EQ(editor.scrollOffset(), 416 - 70);
  editor.OnVerticalScroll(ScrollRequest::ThumbTrack, 0);

  Click(400, 184 + 250);
  EXPECT_EQ(Current(), 2);
  Click(400, 150);  // beside the palette, above the view: no line there
  EXPECT_EQ(Current(), 2);
  Click(400, 184 + 20);  // above the letter, inside band 0
  EXPECT_EQ(Current(), 0);
  EXPECT_EQ(host.caret.y, 184 + 30);

  editor.OnCommand(command::TogglePalette);  // hidden: the view grows back up to the buttons
  EXPECT_EQ(editor.LineOrigin(0).y, 46 + 30);
  EXPECT_EQ(host.caret.y, 46 + 30);
  EXPECT_EQ(host.scrollBar.page, 600 - 46);
  Click(400, 150);
  EXPECT_EQ(Current(), 1);
  editor.OnCommand(command::TogglePalette);
  EXPECT_EQ(editor.LineOrigin(0).y, 184 + 30);
}

TEST_F(ViewAreaTest, AShortDocumentEndsInTheMiddleOfTheView) {
  editor.UpdateScroll();
  // View 184..600, 416 high: the band ends at its middle, 392.
  EXPECT_EQ(editor.scrollOffset(), 100 - 208);
  EXPECT_EQ(editor.LineOrigin(0).y + 16 + 50, 392);  // the placeholder is 32 high
}

class WideLineTest : public ViewAreaTest {
 protected:
  static constexpr int32_t kRight = 606;  // the vertical bar's edge in a 640-wide client
  static constexpr int32_t kRange = 2400 + 20 - kRight;

  void SetUp() override {
    ViewAreaTest::SetUp();
    host.clientSize = ClientSize{640, 480};
    host.rightControls = 640 - kRight;
    Load({u"", u"<a>"});
  }
  void ExpectCaretInView() {
    EXPECT_GE(host.caret.x, 0);
    EXPECT_LE(host.caret.x + host.caret.width, kRight);
  }
};

TEST_F(WideLineTest, TheCaretStaysInViewWhileTypingAndMoving) {
  for (int i = 0; i < 120; ++i) {
    Type(u"x");
    ExpectCaretInView();
  }
  ASSERT_EQ(RootWidth(editor.CurrentLine()), 2400);
  EXPECT_EQ(editor.horizontalScroll(), kRange);
  EXPECT_EQ(host.caret.x, kRight - 10);
  EXPECT_EQ(host.horizontalScrollBar, (ScrollBarState{kRange + kRight - 1, kRight, kRange}));
  Press(key::Home);
  EXPECT_EQ(editor.horizontalScroll(), 0);
  EXPECT_EQ(host.caret.x, 10);  // the line starts at the left margin
  Press(key::End);
  EXPECT_EQ(host.caret.x, kRight - 10);
  PressTimes(key::Left, 20);
  EXPECT_EQ(host.caret.x, 10 - kRange + 2000);  // moving inside the view does not scroll
  EXPECT_EQ(editor.horizontalScroll(), kRange);
  PressTimes(key::Left, 40);
  EXPECT_EQ(host.caret.x, 10);  // past the left edge the view follows the caret
  EXPECT_EQ(editor.horizontalScroll(), 1200);

  Press(key::Down);  // a line that fits: centred, and the sideways scroll goes back to 0
  EXPECT_EQ(editor.horizontalScroll(), 0);
  EXPECT_EQ(editor.LineOrigin(1).x, 320 - 10);
  EXPECT_EQ(editor.LineOrigin(0).x, 10);
  EXPECT_EQ(host.horizontalScrollBar, (ScrollBarState{kRight - 1, kRight, 0}));
}

TEST_F(WideLineTest, ClicksHitWhatIsShownAtTheScrolledPlace) {
  Type(std::u16string(120, u'x'));
  const int32_t y = host.caret.y + 20;
  const int32_t left = 10 - kRange;  // the root's left edge, scrolled to the end
  Click(left + 100 * 20 + 5, y);
  EXPECT_EQ(Caret(), "root@100");
  EXPECT_EQ(host.caret.x, left + 2000);
  Click(left + 100 * 20 + 15, y);
  EXPECT_EQ(Caret(), "root@101");
  EXPECT_EQ(editor.horizontalScroll(), kRange);  // the caret was in view: nothing moved
}

TEST_F(WideLineTest, TheScrollBarMovesTheViewAndTheNextCaretMoveBringsItBack) {
  Type(std::u16string(120, u'x'));
  editor.OnHorizontalScroll(ScrollRequest::ThumbTrack, 0);
  EXPECT_EQ(editor.LineOrigin(0).x, 10);
  EXPECT_EQ(host.caret.x, 10 + 2400);  // the scroll bar alone leaves the caret where it is
  editor.OnHorizontalScroll(ScrollRequest::LineDown);
  EXPECT_EQ(editor.horizontalScroll(), 40);
  editor.OnHorizontalScroll(ScrollRequest::PageDown);
  EXPECT_EQ(editor.horizontalScroll(), 40 + kRight - 70);
  editor.OnHorizontalScroll(ScrollRequest::ThumbTrack, 99999);
  EXPECT_EQ(editor.horizontalScroll(), kRange);
  editor.OnHorizontalScroll(ScrollRequest::ThumbTrack, 0);
  Press(key::Left);
  ExpectCaretInView();
  EXPECT_EQ(host.caret.x, kRight - 12);  // the least scroll that shows it with its margin
}

}  // namespace
}  // namespace kav
