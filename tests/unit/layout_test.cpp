// Layout numbers worked out by hand with fixed metrics: glyphs are size/2 wide and size tall
// with the baseline three quarters down, the em is the size, and the math constants are the
// round ones of FixedMathConstants.
#include <gtest/gtest.h>

#include <array>
#include <set>

#include "base/failure.h"
#include "fixed_metrics.h"
#include "typeset/glyph_measure.h"
#include "typeset/layout.h"
#include "typeset/layout_passes.h"
#include "base/utf.h"

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

TEST_F(LayoutTest, EmptyLineIsOnePlaceholderFrameCentredOnTheAxis) {
  const EquationLine line = Line(u"");
  const NodeData& slot = Find(line, code::Placeholder);
  // 32 square, its middle on the axis 10 above the baseline.
  EXPECT_EQ((std::array{slot.width, slot.height, slot.depth, slot.x, slot.y}),
            (std::array{32, 32, 6, 0, 0}));
  const NodeData& root = line.tree.Data(line.tree.root);
  EXPECT_EQ((std::array{root.width, root.height, root.depth}), (std::array{32, 32, 6}));
  ASSERT_EQ(line.boxes.size(), 4u);
  ExpectLine(line.boxes[0], code::ThickLine, -1, 0, 30, 0, 32, 32);
  ExpectLine(line.boxes[1], code::ThickLine, 0, 30, 30, 30, 32, 32);
  ExpectLine(line.boxes[2], code::ThickLine, 0, -1, 0, 30, 32, 32);
  ExpectLine(line.boxes[3], code::ThickLine, 30, 0, 30, 30, 32, 32);
  for (const LayoutBox& box : line.boxes) EXPECT_EQ(box.node, 1);
}

// At size 40 the fixed em is 32: thin 3mu = 5, medium 4mu = 7, thick 5mu = 9. Glyphs are 20
// wide at 40, and at 28 14 spread by 15 % to 16.
TEST_F(LayoutTest, AtomsAreSpacedByTheirClasses) {
  struct Row {
    const char16_t* markup;
    int32_t width;
  };
  const Row rows[] = {
      {u"<a><b>", 40},                          // ordinary letters touch
      {u"<a><+><b>", 20 + 7 + 20 + 7 + 20},     // binary: medium
      {u"<a><=><b>", 20 + 9 + 20 + 9 + 20},     // relation: thick
      {u"<+><b>", 40},                          // no left operand: ordinary
      {u"<a><+>", 40},                          // nothing on its right: ordinary
      {u"<a><+><=><b>", 40 + 9 + 20 + 9 + 20},  // before a relation: ordinary
      {u"<a><=><-><b>", 20 + 9 + 20 + 9 + 40},  // after a relation: ordinary
      {u"<a><,><b>", 40 + 5 + 20},              // punctuation: thin after it
      {u"<(><a><)><b>", 80},                     // brackets hug
      {u"<s|rm><i|rm><n|rm><x>", 60 + 5 + 20},   // a function name is one operator
      {u"<s|rm><i|rm><x|rm><x>", 80},            // not a name: ordinary letters
      {u"<s|rm><i|rm><n|rm><=><x>", 60 + 9 + 20 + 9 + 20},
      {u"<a>\\super{<b><+><c>}", 20 + 48 + 2},    // none in script style
      {u"<a>\\super{<b><=><c>}", 20 + 48 + 2},
      {u"<a>\\super{<b><,><c>}", 20 + 48 + 2},    // nor after punctuation
  };
  for (const Row& row : rows) {
    const EquationLine line = Line(row.markup);
    EXPECT_EQ(line.tree.Data(line.tree.root).width, row.width) << EncodeUtf8(row.markup);
  }
}

// Pixels at 40: superscript shift 14 (cramped 12), bottom min 4, drop max 10; subscript shift
// 10, top max 16, drop min 8; gap min 6, bottom max with subscript 16; 2 after a script. A
// script at 28 is 16 wide and stands 21 above its baseline and 7 below.
TEST_F(LayoutTest, ScriptsRiseAndDropByTheFontsConstants) {
  struct Row {
    const char16_t* markup;
    // width of the row, ascent and depth of the row, the script's baseline shift (up +)
    std::array<int32_t, 4> expected;
  };
  const Row rows[] = {
      {u"<x>\\super{<n>}", {38, 14 + 21, 10, 14}},
      {u"<x>\\sub{<i>}", {38, 30, 10 + 7, -10}},
      // First in its row, on the placeholder the line keeps there: a box, so its top (26) less
      // the drop of 10 lifts the script to 16.
      {u"\\super{<n>}<x>", {32 + 16 + 2 + 20, 16 + 21, 10, 16}},
      // Both: the gap of -4 opens to 6 (drop 20), then both move up 9 to put the superscript's
      // bottom at 16.
      {u"<x>\\super{<n>}\\sub{<i>}", {38, 23 + 21, 11 + 7, 23}},
      {u"<x>\\sub{<i>}\\super{<n>}", {38, 23 + 21, 11 + 7, -11}},
      // A second superscript starts an atom of its own on an empty base.
      {u"<x>\\super{<n>}\\super{<m>}", {38 + 18, 35, 10, 14}},
  };
  for (const Row& row : rows) {
    const EquationLine line = Line(row.markup);
    const NodeData& root = line.tree.Data(line.tree.root);
    const NodeData& script = line.tree.Data(line.tree.Child(line.tree.root, 1));
    const int32_t shift = AscentOf(root) - (script.y + AscentOf(script));
    EXPECT_EQ((std::array{root.width, AscentOf(root), root.depth, shift}), row.expected)
        << EncodeUtf8(row.markup);
  }
}

TEST_F(LayoutTest, StackedScriptsShareOneColumn) {
  const EquationLine line = Line(u"<x>\\super{<n>}\\sub{<i>}");
  EXPECT_EQ(Find(line, code::Super).x, 20);
  EXPECT_EQ(Find(line, code::Sub).x, 20);
  EXPECT_EQ(Find(line, u'n').x, 20);
  EXPECT_EQ(Find(line, u'i').x, 20);
}

TEST_F(LayoutTest, CrampedSuperscriptsRiseLessInADenominator) {
  const EquationLine line = Line(u"\\frac{<a>}{<x>\\super{<n>}}");
  const NodeData& x = Find(line, u'x');
  const NodeData& n = Find(line, u'n');
  EXPECT_EQ((x.y + 30) - (n.y + 21), 12);
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

// Rule 2 thick with its middle on the axis (rows -11 and -10); display shifts 28 and gaps 6 on
// the top row, text shifts 16 and 14 and gaps 2 inside; 4 of room (0.12 em) on either side.
TEST_F(LayoutTest, FractionPartsShiftFromTheRuleOnTheAxis) {
  const EquationLine line = Line(u"\\frac{<x>}{<y>}");
  const NodeData& frac = Find(line, code::Frac);
  EXPECT_EQ((std::array{frac.width, frac.height, frac.depth}), (std::array{28, 58 + 38, 38}));
  ASSERT_EQ(line.boxes.size(), 3u);
  EXPECT_EQ((std::array{line.boxes[0].x, line.boxes[0].y}), (std::array{4, 0}));
  EXPECT_EQ((std::array{line.boxes[1].x, line.boxes[1].y}), (std::array{4, 58 + 28 - 30}));
  ExpectLine(line.boxes[2], code::ThickLine, 4, 48, 24, 48, 28, 0);

  // Text style inside: the numerator's depth and gap (10 + 11 + 2) beat the shift of 16, and
  // the denominator's height and gap (30 - 11 + 2 + 2) the shift of 14.
  const EquationLine nested = Line(u"\\frac{\\frac{<a>}{<b>}}{<c>}");
  const NodeData& inner = Find(nested, code::Frac, 1);
  EXPECT_EQ((std::array{AscentOf(inner), inner.depth}), (std::array{23 + 30, 23 + 10}));
}

TEST_F(LayoutTest, FractionCentresTheNarrowerPart) {
  const EquationLine line = Line(u"\\frac{<a><b>}{<c>}\\frac{<c>}{<a><b>}");
  EXPECT_EQ(Find(line, u'c', 0).x, 4 + 10);
  EXPECT_EQ(Find(line, u'a', 0).x, 4);
  const int32_t second = Find(line, code::Frac, 1).x;
  EXPECT_EQ(second, 48);
  EXPECT_EQ(Find(line, u'c', 1).x, second + 14);
  EXPECT_EQ(Find(line, u'a', 1).x, second + 4);
}

// The sign (glyph 0, a 20 x 40 cell) needs 48 to cover x with the display gap 6 and the rule 2.
TEST_F(LayoutTest, SquareRootSignRuleAndRadicand) {
  const EquationLine line = Line(u"\\sqrt{<x>}");
  const NodeData& root = Find(line, code::Sqrt);
  EXPECT_EQ((std::array{root.width, AscentOf(root), root.depth}), (std::array{40, 38 + 2, 10}));
  ASSERT_EQ(line.boxes.size(), 3u);
  EXPECT_EQ((std::array{line.boxes[0].x, line.boxes[0].y}), (std::array{20, 40 - 30}));
  EXPECT_EQ(line.boxes[1].code, code::MathGlyph);
  EXPECT_EQ((std::array{line.boxes[1].x, line.boxes[1].y, line.boxes[1].x2}),
            (std::array{0, 2, 0}));
  ExpectLine(line.boxes[2], code::ThickLine, 20, 3, 40, 3, 40, 0);
}

// The sign is glyph 0: a 20 x 40 cell, 30 above its baseline, already centred on the axis.
TEST_F(LayoutTest, SumLimitsStandAboveAndBelowOnTheTopRowOnly) {
  const EquationLine line = Line(u"\\sum{<i>}{<n>}");
  const NodeData& sum = Find(line, code::Sum);
  // Upper baseline 30 + max(4, 8 + 7) up, lower 10 + max(24, 6 + 21) down.
  EXPECT_EQ((std::array{sum.width, AscentOf(sum), sum.depth}), (std::array{20, 45 + 21, 37 + 7}));
  EXPECT_EQ((std::array{Find(line, u'n').x, Find(line, u'n').y}), (std::array{2, 0}));
  EXPECT_EQ((std::array{Find(line, u'i').x, Find(line, u'i').y}), (std::array{2, 66 + 37 - 21}));
  const LayoutBox& sign = line.boxes.back();
  EXPECT_EQ(sign.code, code::MathGlyph);
  EXPECT_EQ((std::array{sign.x, sign.y, static_cast<int32_t>(sign.size)}),
            (std::array{0, 66 - 30, 40}));

  // In a numerator (text style) they go to the side as scripts of a box: rise 20 and drop 18,
  // then both up 3 to put the upper one's bottom at 16.
  const EquationLine text = Line(u"\\frac{\\sum{<i>}{<n>}}{<x>}");
  const NodeData& side = Find(text, code::Sum);
  EXPECT_EQ((std::array{side.width, AscentOf(side), side.depth}), (std::array{38, 23 + 21, 15 + 7}));
}

TEST_F(LayoutTest, IntegralLimitsStandAtItsSide) {
  const EquationLine line = Line(u"\\integral{<a>}{<b>}");
  const NodeData& integral = Find(line, code::Integral);
  EXPECT_EQ((std::array{integral.width, AscentOf(integral), integral.depth}),
            (std::array{38, 23 + 21, 15 + 7}));
  EXPECT_EQ(Find(line, u'a').x, 20);
  EXPECT_EQ(Find(line, u'b').x, 20);
  // Switched-off limits take no room.
  const EquationLine bare = Line(u"\\integral{\\none}{\\none}");
  EXPECT_EQ(Find(bare, code::Integral).width, 20);
}

TEST_F(LayoutTest, LimitNamesTakeTheirSubscriptBelowOnTheTopRowOnly) {
  // lim is 60 wide; its subscript (16 wide) centred under it, 10 + max(24, 6 + 21) down.
  const EquationLine line = Line(u"<l|rm><i|rm><m|rm>\\sub{<n>}");
  const NodeData& n = Find(line, u'n');
  EXPECT_EQ((std::array{line.tree.Data(line.tree.root).width, n.x, n.y + 21 - 30}),
            (std::array{60, 22, 37}));
  // sin is no limit name, and in a numerator lim's scripts stand at its side.
  EXPECT_EQ(Find(Line(u"<s|rm><i|rm><n|rm>\\sub{<n>}"), u'n', 1).x, 60);
  EXPECT_EQ(Find(Line(u"\\frac{<l|rm><i|rm><m|rm>\\sub{<n>}}{<x>}"), u'n').x, 4 + 60);
}

TEST_F(LayoutTest, ProductInScriptUsesItsSignAtTwentyEight) {
  const EquationLine line = Line(u"<x>\\super{\\prod{<i>}{<n>}}");
  const LayoutBox& sign = line.boxes.back();
  EXPECT_EQ(sign.code, code::MathGlyph);
  EXPECT_EQ(sign.size, 28u);
}

TEST_F(LayoutTest, RedBitSurvivesOnEveryBox) {
  EquationLine line = Line(u"\\frac{<x|hat>}{<->}\\sqrt{<+>}\\sum{}{<alpha>}\\integral{<1>}{}<=>");
  for (NodeData& data : line.tree.payloads) data.style |= StyleRed;
  LayoutLine(line, metrics);
  ASSERT_EQ(line.boxes.size(), 19u);
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
