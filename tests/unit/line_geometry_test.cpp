#include <gtest/gtest.h>

#include "fixed_metrics.h"
#include "typeset/layout.h"
#include "typeset/line_geometry.h"

namespace kav {
namespace {

TEST(LineGeometry, BandIsEightFifthsOfTheRootButAtLeastAHundred) {
  EXPECT_EQ(BandHeight(0), 100);
  EXPECT_EQ(BandHeight(63), 100);  // 100.8 truncates
  EXPECT_EQ(BandHeight(64), 102);
  EXPECT_EQ(BandHeight(70), 112);
}

TEST(LineGeometry, BandTopsSumTheBandsAbove) {
  FixedMetrics metrics;
  BoxLayouter layouter(metrics);
  std::vector<EquationLine> lines;
  lines.emplace_back(u"", &layouter);                      // 32 high: band 100
  lines.emplace_back(u"\\frac{\\frac{<a>}{<b>}}{<c>}", &layouter);
  lines.emplace_back(u"<x>", &layouter);
  const int32_t second = BandHeightOf(lines[1]);
  EXPECT_EQ(second, 8 * RootHeight(lines[1]) / 5);
  EXPECT_EQ(BandTop(lines, 0), 0);
  EXPECT_EQ(BandTop(lines, 1), 100);
  EXPECT_EQ(BandTop(lines, 2), 100 + second);
  EXPECT_EQ(BandTop(lines, 3), 200 + second);
}

// A view over the whole client area, scrolled down by `scrollY` and sideways by `scrollX`.
ViewPlacement WholeClient(int32_t width, int32_t height, int32_t scrollY, int32_t scrollX = 0) {
  return ViewPlacement{width, ViewArea{0, 0, width, height}, scrollX, scrollY};
}

TEST(LineGeometry, OriginCentresTheRootInClientWidthAndBand) {
  FixedMetrics metrics;
  BoxLayouter layouter(metrics);
  const EquationLine empty(u"", &layouter);
  // One empty line in a 600 x 600 client scrolls to -200: its band spans 200 to 300.
  EXPECT_EQ(LineOrigin(empty, 0, WholeClient(600, 600, -200)),
            (ClientPoint{300 - 16, 200 + 50 - 16}));
  // Halves truncate one by one: 101/2 - 33/2 = 50 - 16.
  EXPECT_EQ(LineOrigin(33, 71, 100, WholeClient(101, 400, 7)),
            (ClientPoint{34, 100 + 56 - 35 - 7}));
  EquationLine rootless(u"<x>", &layouter);
  rootless.tree.Clear();
  EXPECT_EQ(RootWidth(rootless), 0);
  EXPECT_EQ(BandHeightOf(rootless), 100);
}

// The area of a 640-wide client under 180 pixels of controls, left of a bar at 606.
TEST(LineGeometry, WideLinesStartAtTheMarginAndScrollSideways) {
  const ViewArea area{0, 184, 606, 460};
  struct Row {
    int32_t width;
    int32_t scrollX;
    int32_t x;      // the root's left edge
    int32_t range;  // how far the view can scroll for it
  };
  const Row rows[] = {
      {600, 0, 10, 14},   {600, 14, -4, 14},  // too wide: margin, then scrolled
      {580, 0, 10, 0},  // centred (30..610) it would pass the right margin; at the left it fits
      {580 - 64, 0, 62, 0},                    // 62 + 516 = 578 <= 596: fits centred
      {580 - 64, 50, 62, 0},                   // a line that fits ignores the sideways scroll
      {2000, 700, 10 - 700, 2000 + 20 - 606},
  };
  for (const Row& row : rows) {
    const ViewPlacement view{640, area, row.scrollX, 0};
    EXPECT_EQ(LineOrigin(row.width, 40, 0, view).x, row.x) << row.width << " " << row.scrollX;
    EXPECT_EQ(HorizontalRange(row.width, 640, area), row.range) << row.width;
  }
  // Band tops count from the area's top: band 0 at offset 0 starts right under the controls.
  EXPECT_EQ(LineOrigin(20, 40, 0, ViewPlacement{640, area, 0, 0}).y, 184 + 50 - 20);
  EXPECT_EQ(LineOrigin(20, 40, 300, ViewPlacement{640, area, 0, 120}).y, 184 + 300 + 30 - 120);
}

}  // namespace
}  // namespace kav
