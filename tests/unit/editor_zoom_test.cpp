// The view's scale (the window's DPI times the zoom): the zoom keys, menu commands and Ctrl+wheel
// with their status text, and the pixels of the caret and of clicks at every scale, which must
// land in the same layout units. Fixed metrics: a letter at size 40 is 20 by 40.
#include "edit/inline_box.h"
#include "editor_harness.h"

namespace kav {
namespace {

TEST(ViewScaleTest, PixelsAndUnitsRoundDownBothWays) {
  struct Row {
    int32_t dpi, zoom, units, pixels, backToUnits;
  };
  const Row rows[] = {
      {96, 100, 37, 37, 37},  {192, 100, 37, 74, 37},  {144, 100, 37, 55, 36},
      {96, 150, 37, 55, 36},  {96, 50, 37, 18, 36},    {96, 400, 37, 148, 37},
      {192, 200, -3, -12, -3}, {144, 100, -1, -2, -2},
  };
  for (const Row& row : rows) {
    const ViewScale scale{row.dpi, row.zoom};
    EXPECT_EQ(scale.ToPixels(row.units), row.pixels) << row.dpi << " " << row.zoom;
    EXPECT_EQ(scale.ToUnits(row.pixels), row.backToUnits) << row.dpi << " " << row.zoom;
  }
}

TEST(ViewScaleTest, ZoomStepsStopAtFiftyAndFourHundred) {
  EXPECT_EQ(ZoomStepUp(100), 110);
  EXPECT_EQ(ZoomStepDown(100), 90);
  EXPECT_EQ(ZoomStepUp(120), 125);  // between steps: the neighbouring step
  EXPECT_EQ(ZoomStepDown(120), 110);
  EXPECT_EQ(ZoomStepUp(400), 400);
  EXPECT_EQ(ZoomStepDown(50), 50);
}

class ZoomTest : public EditorTest {};

TEST_F(ZoomTest, KeysMenuAndCtrlWheelZoomAndSayHowFar) {
  Press(key::Plus, true);
  EXPECT_EQ(editor.scale().zoom, 110);
  EXPECT_EQ(host.statusText, u"Zoom 110%");
  Press(key::Add, true);
  editor.OnCommand(command::ZoomIn);
  EXPECT_EQ(host.statusText, u"Zoom 150%");
  editor.OnMouseWheel(120, Modifiers{true, false});
  EXPECT_EQ(host.statusText, u"Zoom 175%");
  Press(key::Minus, true);
  Press(key::Subtract, true);
  editor.OnCommand(command::ZoomOut);
  EXPECT_EQ(editor.scale().zoom, 110);
  editor.OnMouseWheel(-120, Modifiers{true, false});
  EXPECT_EQ(editor.scale().zoom, 100);
  for (int i = 0; i < 20; ++i) Press(key::Plus, true);
  EXPECT_EQ(host.statusText, u"Zoom 400%");
  Press(key::Digit0, true);
  EXPECT_EQ(host.statusText, u"Zoom 100%");
  for (int i = 0; i < 20; ++i) editor.OnCommand(command::ZoomOut);
  EXPECT_EQ(host.statusText, u"Zoom 50%");
  Press(key::Numpad0, true);
  EXPECT_EQ(editor.scale().zoom, 100);
  // Zooming edits nothing: no history, not modified, and plain keys still type.
  EXPECT_EQ(HistorySize(), 0);
  EXPECT_FALSE(editor.document().modified);
  Type(u"0");
  EXPECT_EQ(Markup(), u"<0>");
}

TEST_F(ZoomTest, CtrlWheelDoesNotScrollAndThePlainWheelDoes) {
  Load({u"<a>", u"<b>", u"<c>", u"<d>", u"<e>", u"<f>", u"<g>", u"<h>", u"<i>", u"<j>"});
  const int32_t offset = editor.scrollOffset();
  editor.OnMouseWheel(-120, Modifiers{true, false});
  EXPECT_EQ(editor.scrollOffset(), offset);
  editor.OnMouseWheel(-120);
  EXPECT_EQ(editor.scrollOffset(), offset + 60);
}

// The caret at 192 DPI (or at 200 %) is the caret at 96 DPI drawn twice as large.
TEST_F(ZoomTest, TheCaretScalesWithTheView) {
  host.clientSize = ClientSize{1600, 1200};
  Type(u"x");
  editor.SetDpi(192);
  EXPECT_EQ(host.caret.width, 4);
  EXPECT_EQ(host.caret.height, 80);
  EXPECT_EQ(host.caret.x, 820);  // the root at (390, 230) units in an 800 by 600 unit view
  EXPECT_EQ(host.caret.y, 460);
  editor.SetDpi(96);
  editor.ZoomTo(200);
  EXPECT_EQ(host.caret.x, 820);
  // The symbol-name box opens the same distance below the caret, in units.
  const int32_t caretY = host.caret.y;
  Press('G', true);
  EXPECT_EQ(host.inlineBoxY, caretY + 2 * kInlineBoxDrop);
  editor.ZoomTo(50);
  EXPECT_EQ(host.caret.width, 1);  // never thinner than a pixel
  EXPECT_EQ(host.caret.height, 20);
}

// The same place on the formula, clicked in pixels at either scale, puts the caret in the same
// place; the line's unit geometry does not change with the scale.
TEST_F(ZoomTest, AClickLandsOnTheSameSymbolAtEveryScale) {
  const std::vector<std::u16string> lines = {u"<a><b><c><d>", u"<x><y>"};
  const std::pair<int32_t, int32_t> unitClicks[] = {{375, 250}, {405, 250}, {385, 350}};
  std::vector<std::string> at96;
  Load(lines);
  const LinePoint origin96 = editor.LineOrigin(0);
  for (const auto& [x, y] : unitClicks) {
    Load(lines);
    editor.OnLeftButtonDown(x, y);
    editor.OnLeftButtonUp(x, y);
    at96.push_back(std::to_string(Current()) + ":" + Caret());
  }
  for (const auto& [dpi, zoom] : {std::pair{192, 100}, std::pair{96, 200}, std::pair{144, 150}}) {
    editor.SetDpi(dpi);
    editor.ZoomTo(zoom);
    const ViewScale& scale = editor.scale();
    host.clientSize = ClientSize{scale.ToPixels(800), scale.ToPixels(600)};
    for (size_t i = 0; i < std::size(unitClicks); ++i) {
      Load(lines);
      const int32_t x = scale.ToPixels(unitClicks[i].first);
      const int32_t y = scale.ToPixels(unitClicks[i].second);
      editor.OnLeftButtonDown(x, y);
      editor.OnLeftButtonUp(x, y);
      EXPECT_EQ(std::to_string(Current()) + ":" + Caret(), at96[i]) << dpi << " " << zoom;
      // In units the view is 800 by 600 at any scale, so the line stands where it stood.
      EXPECT_EQ(editor.LineOrigin(0).x, origin96.x);
      EXPECT_EQ(editor.LineOrigin(0).y, origin96.y);
    }
  }
}

// A drag's rubber band is kept in units: the selection it makes does not depend on the scale.
TEST_F(ZoomTest, ADragSelectsTheSameBoxesAtTwiceTheScale) {
  Load({u"<a><b><c><d>"});
  editor.OnLeftButtonDown(355, 240);
  editor.OnMouseMove(395, 260);
  editor.OnLeftButtonUp(395, 260);
  const std::vector<bool> marks96 = editor.CurrentLine().selection.marks;
  editor.SetDpi(192);
  host.clientSize = ClientSize{1600, 1200};
  Load({u"<a><b><c><d>"});
  editor.OnLeftButtonDown(710, 480);
  editor.OnMouseMove(790, 520);
  EXPECT_EQ(editor.drag().currentX, 395);
  editor.OnLeftButtonUp(790, 520);
  EXPECT_EQ(editor.CurrentLine().selection.marks, marks96);
  EXPECT_TRUE(editor.selectionMode());
}

}  // namespace
}  // namespace kav
