// Layout numbers worked out by hand with fixed metrics: glyphs are size/2 wide and size tall,
// so the letter height equals the font size.
#include <gtest/gtest.h>

#include <array>
#include <set>

#include "base/failure.h"
#include "fixed_metrics.h"
#include "typeset/glyph_measure.h"
#include "typeset/layout.h"
#include "typeset/spacing.h"

namespace kav {
namespace {

class LayoutTest : public ::testing::Test {
 protected:
  EquationLine Line(const char16_t* markup) { return EquationLine(markup, &layouter); }

  // The n-th node (pre-order) with this code.
  static const NodeData& Find(const EquationLine& line, SymbolCode code, int n = 0) {
    int32_t found = -1;
    line.tree.CollectSubtree(line.tree.root, [&](int32_t node) {
      if (found < 0 && line.tree.CodeAt(node) == code && n-- == 0) found = node;
    });
    EXPECT_GE(found, 0) << "no node with code " << code;
    return line.tree.Data(found < 0 ? line.tree.root : found);
  }

  FixedMetrics metrics;
  BoxLayouter layouter{metrics};
};

void ExpectLine(const LayoutBox& box, SymbolCode kind, int x1, int y1, int x2, int y2, int w,
                int h) {
  EXPECT_EQ(box.code, kind);
  EXPECT_EQ((std::array{box.x, box.y, box.x2, box.y2, box.width, box.height}),
            (std::array{x1, y1, x2, y2, w, h}));
  EXPECT_EQ(box.size, 0u);
}

TEST_F(LayoutTest, EmptyLineIsOnePlaceholderFrame) {
  const EquationLine line = Line(u"");
  const NodeData& slot = Find(line, code::Placeholder);
  EXPECT_EQ((std::array{slot.width, slot.height, slot.depth, slot.x, slot.y}),
            (std::array{32, 32, 16, 0, 0}));
  const NodeData& root = line.tree.Data(line.tree.root);
  EXPECT_EQ((std::array{root.width, root.height, root.depth}), (std::array{32, 32, 16}));
  ASSERT_EQ(line.boxes.size(), 4u);
  ExpectLine(line.boxes[0], code::ThickLine, -1, 0, 30, 0, 32, 32);
  ExpectLine(line.boxes[1], code::ThickLine, 0, 30, 30, 30, 32, 32);
  ExpectLine(line.boxes[2], code::ThickLine, 0, -1, 0, 30, 32, 32);
  ExpectLine(line.boxes[3], code::ThickLine, 30, 0, 30, 30, 32, 32);
  for (const LayoutBox& box : line.boxes) EXPECT_EQ(box.node, 1);
}

TEST_F(LayoutTest, FractionOfEqualWidthsPlacesBothPartsFiveIn) {
  const EquationLine line = Line(u"\\frac{<x>}{<y>}");
  const NodeData& frac = Find(line, code::Frac);
  EXPECT_EQ((std::array{frac.width, frac.height, frac.depth}), (std::array{30, 85, 42}));
  ASSERT_EQ(line.boxes.size(), 3u);
  EXPECT_EQ(line.boxes[0].code, u'x');
  EXPECT_EQ((std::array{line.boxes[0].x, line.boxes[0].y}), (std::array{5, 0}));
  EXPECT_EQ((std::array{line.boxes[1].x, line.boxes[1].y}), (std::array{5, 45}));
  ExpectLine(line.boxes[2], code::ThickLine, 0, 42, 30, 42, 30, 0);
}

TEST_F(LayoutTest, FractionCentresTheNarrowerPart) {
  // "c" is one fortieth narrower: 19 against 40 for "ab".
  const EquationLine line = Line(u"\\frac{<a><b>}{<c>}\\frac{<c>}{<a><b>}");
  EXPECT_EQ(Find(line, u'c', 0).x, 5 + 20 - 9);
  EXPECT_EQ(Find(line, u'a', 0).x, 5);
  const int32_t second = Find(line, code::Frac, 1).x;
  EXPECT_EQ(second, 50);
  EXPECT_EQ(Find(line, u'c', 1).x, second + 16);
  EXPECT_EQ(Find(line, u'a', 1).x, second + 5);
}

TEST_F(LayoutTest, ScriptsShrinkFortyTwentyEightTwentyAndFractionsDoNot) {
  const EquationLine line = Line(u"<x>\\super{\\frac{<a>}{<b>\\super{<c>}}}<y>\\sub{<i>\\sub{<j>\\sub{<k>}}}");
  EXPECT_EQ(Find(line, u'x').size, 40);
  EXPECT_EQ(Find(line, code::Super).size, 40);
  EXPECT_EQ(Find(line, code::Frac).size, 28);
  EXPECT_EQ(Find(line, u'a').size, 28);
  EXPECT_EQ(Find(line, u'b').size, 28);
  EXPECT_EQ(Find(line, u'c').size, 20);
  EXPECT_EQ(Find(line, u'c').level, 2);
  EXPECT_EQ(Find(line, u'i').size, 28);
  EXPECT_EQ(Find(line, u'j').size, 20);
  EXPECT_EQ(Find(line, u'k').size, 20);
  EXPECT_EQ(Find(line, u'k').level, 3);
}

TEST_F(LayoutTest, ScriptsSitAboveOrHangBelowTheAxis) {
  const EquationLine line = Line(u"<x>\\super{<n>}<y>\\sub{<i>}");
  const NodeData& super = Find(line, code::Super);
  const NodeData& sub = Find(line, code::Sub);
  EXPECT_EQ((std::array{super.width, super.height, super.depth}), (std::array{14, 28, 0}));
  EXPECT_EQ((std::array{sub.width, sub.height, sub.depth}), (std::array{14, 28, 28 - 4}));
  // Above the axis the superscript's 28 wins; below it the subscript's 24.
  const NodeData& root = line.tree.Data(line.tree.root);
  EXPECT_EQ((std::array{root.height, root.depth}), (std::array{28 + 24, 24}));
  EXPECT_EQ(super.y, 0);
  EXPECT_EQ(Find(line, u'x').y, 4);
  EXPECT_EQ(sub.y, 28 - 4);
  EXPECT_EQ(Find(line, u'i').y, sub.y);
}

TEST_F(LayoutTest, MinusIsOneThinRuleWithItsSpacing) {
  const EquationLine line = Line(u"<->");
  const NodeData& minus = Find(line, u'-');
  EXPECT_EQ(minus.width, 20 + 9 + 7);
  ASSERT_EQ(line.boxes.size(), 1u);
  ExpectLine(line.boxes[0], code::ThinLine, 7, 21, 32, 21, 36, 40);
}

TEST_F(LayoutTest, NegativeFortiethsTruncateTowardZero) {
  EXPECT_EQ(SpacingOf(u'c', 28).lead, 0);
  EXPECT_EQ(SpacingOf(u'c', 40).lead, -1);
  EXPECT_EQ(SpacingOf(u'(', 28).tail, -1);  // -56/40
  const EquationLine line = Line(u"<c><x>\\super{<c>}");
  const NodeData& base = Find(line, u'c', 0);
  const NodeData& script = Find(line, u'c', 1);
  EXPECT_EQ(base.width, 19);
  EXPECT_EQ(script.width, 14);
  EXPECT_EQ(line.boxes[0].x, -1);
  EXPECT_EQ(line.boxes[2].x, script.x);
}

TEST_F(LayoutTest, SpacingMovesAndWidensGlyphBoxes) {
  // "<": pad 10, shift 2, drop -2 at 40; box x = pad/2 + shift.
  const EquationLine line = Line(u"<lt><5>");
  EXPECT_EQ(Find(line, u'<').width, 20 + 10);
  EXPECT_EQ((std::array{line.boxes[0].x, line.boxes[0].y}), (std::array{5 + 2, -2}));
  EXPECT_EQ(Find(line, u'5').width, 20 - 1);
  EXPECT_EQ(line.boxes[1].x, 30 + 2);
  EXPECT_EQ(line.boxes[1].width, 19);
  EXPECT_EQ(line.boxes[1].height, 40);
}

TEST_F(LayoutTest, SquareRootAddsThirtyAndFiveAndDrawsThreeStrokes) {
  const EquationLine line = Line(u"\\sqrt{<x>}");
  const NodeData& root = Find(line, code::Sqrt);
  EXPECT_EQ((std::array{root.width, root.height, root.depth}), (std::array{50, 45, 16}));
  ASSERT_EQ(line.boxes.size(), 4u);
  EXPECT_EQ((std::array{line.boxes[0].x, line.boxes[0].y}), (std::array{25, 5}));
  ExpectLine(line.boxes[1], code::ThickLine, 20, 2, 50, 2, -20, 45);
  ExpectLine(line.boxes[2], code::ThickLine, 0, 30, 14, 43, -20, 45);
  ExpectLine(line.boxes[3], code::ThickLine, 20, 0, 14, 43, -20, 45);
}

TEST_F(LayoutTest, IntegralUsesFixedImageExtentsAtEveryLevel) {
  const EquationLine line = Line(u"\\integral{}{}<x>\\super{\\integral{}{}<y>\\super{\\integral{}{}}}");
  // Base level: limits are 28-pixel placeholders, 22 square with depth 11.
  const NodeData& base = Find(line, code::Integral, 0);
  EXPECT_EQ((std::array{base.width, base.height, base.depth}), (std::array{47, 72, 34}));
  std::vector<LayoutBox> images;
  for (const LayoutBox& box : line.boxes) {
    if (box.code == code::Integral) images.push_back(box);
  }
  ASSERT_EQ(images.size(), 3u);
  EXPECT_EQ((std::array{images[0].width, images[0].height, images[0].y - base.y}),
            (std::array{25, 61, 4}));
  EXPECT_EQ((std::array{images[1].width, images[1].height}), (std::array{17, 42}));
  EXPECT_EQ((std::array{images[2].width, images[2].height}), (std::array{12, 30}));
  EXPECT_EQ((std::array{images[1].size, images[2].size}), (std::array{28u, 20u}));
  const NodeData& lower = Find(line, code::Placeholder, 0);
  const NodeData& upper = Find(line, code::Placeholder, 1);
  EXPECT_EQ((std::array{lower.x - base.x, lower.y - base.y, upper.x - base.x, upper.y - base.y}),
            (std::array{10, 72 - 22, 25, 0}));
}

TEST_F(LayoutTest, SumAtBaseLevelIsAsWideAsSigmaAt57) {
  metrics.SetWidth(u'\u03A3', 57, 50);
  const EquationLine line = Line(u"\\sum{<i>}{<n>}");
  const NodeData& sum = Find(line, code::Sum);
  EXPECT_EQ((std::array{sum.width, sum.height, sum.depth}),
            (std::array{50, 28 + 28 + 34, 28 + 28 - 11}));
  const LayoutBox& sign = line.boxes.back();
  EXPECT_EQ(sign.code, 931u);
  EXPECT_EQ((std::array{sign.x, sign.y, sign.width, sign.height}), (std::array{0, 28 - 8 - 2, 50, 57}));
  EXPECT_EQ(sign.size, 57u);
  EXPECT_EQ(sign.style, StyleRoman);
  EXPECT_EQ(Find(line, u'i').x, 25 - 7);
  EXPECT_EQ(Find(line, u'i').y, 90 - 28);
}

TEST_F(LayoutTest, ProductInScriptUsesPiAtForty) {
  const EquationLine line = Line(u"<x>\\super{\\prod{<i>}{<n>}}");
  const LayoutBox& sign = line.boxes.back();
  EXPECT_EQ(sign.code, 928u);
  EXPECT_EQ(sign.size, 40u);
  EXPECT_EQ(sign.width, 20);
}

TEST_F(LayoutTest, RedBitSurvivesOnEveryBox) {
  EquationLine line = Line(u"\\frac{<x|hat>}{<->}\\sqrt{<+>}\\sum{}{<alpha>}\\integral{<1>}{}<=>");
  for (NodeData& data : line.tree.payloads) data.style |= StyleRed;
  LayoutLine(line, metrics);
  ASSERT_EQ(line.boxes.size(), 20u);
  for (const LayoutBox& box : line.boxes) EXPECT_TRUE(box.style & StyleRed) << box.code;
}

TEST_F(LayoutTest, OperatorsKeepOnlyRedLettersKeepEverything) {
  const EquationLine line = Line(u"<+|rm><=|rmbold|bar>\\red<,|hat><x|rm|hat><alpha|tilde><7|bar>");
  ASSERT_EQ(line.boxes.size(), 6u);
  EXPECT_EQ(line.boxes[0].style, 0u);
  EXPECT_EQ(line.boxes[1].style, 0u);
  EXPECT_EQ(line.boxes[2].style, StyleRed);
  EXPECT_EQ(line.boxes[3].style, StyleRoman | StyleHat);
  EXPECT_EQ(line.boxes[4].style, StyleTilde);
  EXPECT_EQ(line.boxes[5].style, StyleBar);
}

TEST_F(LayoutTest, UnknownCodeFailsAndKeepsThePreviousBoxes) {
  EquationLine line = Line(u"<x>");
  const std::vector<LayoutBox> before = line.boxes;
  line.tree.AddChild(line.tree.root, MakeNode(code::EndOfTokens));
  try {
    LayoutLine(line, metrics);
    FAIL() << "no failure";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.text, u"WidthHeightDepth: Unknown token");
  }
  ASSERT_EQ(line.boxes.size(), before.size());
  EXPECT_EQ(line.boxes[0].code, before[0].code);
}

TEST_F(LayoutTest, EmptyGroupsAndNoneAreZeroAndLineWithoutRootHasNoBoxes) {
  EquationLine line = Line(u"\\none");
  const NodeData& root = line.tree.Data(line.tree.root);
  EXPECT_EQ((std::array{root.width, root.height, root.depth}), (std::array{0, 0, 0}));
  EXPECT_TRUE(line.boxes.empty());
  line = Line(u"<x>");
  line.tree.Clear();
  LayoutLine(line, metrics);
  EXPECT_TRUE(line.boxes.empty());
}

TEST_F(LayoutTest, CachedMetricsGiveTheSameLayoutWithOneCallPerGlyph) {
  const char16_t* markup = u"<x>\\super{<2>}<+><x><x>\\sum{<i>}{<n>}<x>\\sub{<i>}";
  const EquationLine direct = Line(markup);
  FixedMetrics counted;
  CachedGlyphMetrics cached(counted);
  BoxLayouter cachedLayouter(cached);
  EquationLine line(markup, &cachedLayouter);
  line.Layout();
  ASSERT_EQ(line.boxes.size(), direct.boxes.size());
  for (size_t i = 0; i < line.boxes.size(); ++i) {
    EXPECT_EQ((std::array{line.boxes[i].x, line.boxes[i].y, line.boxes[i].width}),
              (std::array{direct.boxes[i].x, direct.boxes[i].y, direct.boxes[i].width}));
  }
  // Distinct (font, unit): a, x, +, n, i at 40/28 and 57, 2, Sigma.
  std::set<std::pair<int, int>> distinct;
  for (const auto& [font, unit] : counted.asked) {
    distinct.insert({static_cast<int>(font.face) * 100 + font.size, unit});
  }
  EXPECT_EQ(counted.calls, static_cast<int>(distinct.size()));
  EXPECT_LT(counted.calls, metrics.calls);
}

}  // namespace
}  // namespace kav
