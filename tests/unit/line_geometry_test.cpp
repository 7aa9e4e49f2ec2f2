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

TEST(LineGeometry, OriginCentresTheRootInClientWidthAndBand) {
  FixedMetrics metrics;
  BoxLayouter layouter(metrics);
  const EquationLine empty(u"", &layouter);
  // One empty line in a 600 x 600 client scrolls to -200: its band spans 200 to 300.
  EXPECT_EQ(LineOrigin(empty, 0, 600, -200), (ClientPoint{300 - 16, 200 + 50 - 16}));
  // Halves truncate one by one: 101/2 - 33/2 = 50 - 16.
  EXPECT_EQ(LineOrigin(33, 71, 100, 101, 7), (ClientPoint{34, 100 + 56 - 35 - 7}));
  EquationLine rootless(u"<x>", &layouter);
  rootless.tree.Clear();
  EXPECT_EQ(RootWidth(rootless), 0);
  EXPECT_EQ(BandHeightOf(rootless), 100);
}

}  // namespace
}  // namespace kav
