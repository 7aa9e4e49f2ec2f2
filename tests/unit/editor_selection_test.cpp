// Selections made as the user makes them: mouse press, moves and release over a laid-out line,
// then the keys and buttons that act on what was selected.
#include "drag_harness.h"

namespace kav {
namespace {

using SelectionTest = DragTest;

TEST_F(SelectionTest, DraggingOverTwoLettersSelectsTheRunBetweenThem) {
  Load({u"<x><+><a>\\super{<2>}<b><-><y>"});
  const int32_t a = Node({2});
  const int32_t script = Node({3});
  const int32_t b = Node({4});
  // The drag runs below the raised 2, so only the two letters are touched; the run rule takes
  // the script between them as well.
  const NodeData& two = editor.CurrentLine().tree.Data(Node({3, 0, 0}));
  ASSERT_LT(two.y + two.height, editor.CurrentLine().tree.Data(a).y + 25);
  Drag(Inside(a, 5, 25), Inside(b, 5, 30));
  EXPECT_TRUE(editor.selectionMode());
  EXPECT_FALSE(host.mouseCaptured);
  EXPECT_EQ(SelectedMarkup(), u"<a>\\super{<2>}<b>");
  EXPECT_EQ(SelectionOf(editor.CurrentLine().tree.root), SelPartial);
  EXPECT_EQ(SelectionOf(script), SelFull);
  EXPECT_TRUE(Green(a) && Green(Node({3, 0, 0})) && Green(b));
  EXPECT_FALSE(Green(Node({1})) || Green(Node({5})));
  EXPECT_FALSE(host.caret.exists);  // no caret while a selection is shown
}

TEST_F(SelectionTest, LosingTheCaptureMidDragEndsTheDragWhereThePointerWas) {
  Load({u"<x><+><a><b><-><y>"});
  const int32_t a = Node({2});
  const int32_t b = Node({3});
  const LinePoint from = Inside(a, 5, 25);
  const LinePoint to = Inside(b, 5, 25);
  editor.OnLeftButtonDown(from.x, from.y);
  editor.OnMouseMove(to.x, to.y);
  editor.OnCaptureLost();
  EXPECT_FALSE(editor.mouseCaptured());
  EXPECT_FALSE(host.mouseCaptured);
  EXPECT_EQ(SelectedMarkup(), u"<a><b>");
  // Later moves without the button held change nothing.
  const LinePoint far = Centre(Node({5}));
  editor.OnMouseMove(far.x, far.y);
  EXPECT_EQ(SelectedMarkup(), u"<a><b>");
}

TEST_F(SelectionTest, ALetterOfTheNumeratorAndOneOfTheDenominatorTakeTheWholeFraction) {
  Load({u"<x><+>\\frac{<a><b>}{<c><d>}<=><y>"});
  Drag(Centre(Node({2, 0, 0})), Centre(Node({2, 1, 1})));
  EXPECT_EQ(SelectedMarkup(), u"\\frac{<a><b>}{<c><d>}");
  EXPECT_EQ(SelectionOf(Node({2})), SelFull);
  EXPECT_TRUE(Green(Node({2})) && Green(Node({2, 0, 1})) && Green(Node({2, 1, 0})));
  EXPECT_FALSE(Green(Node({1})) || Green(Node({3})));
}

TEST_F(SelectionTest, OneItemLeavesItsRowPartialAndTypingReplacesIt) {
  Load({u"<a><b><c>"});
  const int32_t b = Node({1});
  Drag(Inside(b, 3, 5), Inside(b, 12, 30));
  EXPECT_EQ(SelectionOf(editor.CurrentLine().tree.root), SelPartial);
  EXPECT_EQ(SelectionOf(b), SelFull);
  EXPECT_EQ(SelectedMarkup(), u"<b>");
  Type(u"x");
  EXPECT_EQ(Markup(), u"<a><x><c>");
  EXPECT_EQ(Caret(), "root@2");
  EXPECT_FALSE(editor.selectionMode());
  EXPECT_EQ(HistorySize(), 1);
}

TEST_F(SelectionTest, ALetterInsideASlotSelectsOnlyThatLetter) {
  Load({u"\\sqrt{<a><b>}<c>"});
  const int32_t a = Node({0, 0, 0});
  Drag(Inside(a, 3, 5), Inside(a, 12, 30));
  EXPECT_EQ(SelectionOf(Node({0})), SelPartial);
  EXPECT_EQ(SelectedMarkup(), u"<a>");
  Press(key::Delete);
  EXPECT_EQ(Markup(), u"\\sqrt{<b>}<c>");
  EXPECT_EQ(Caret(), "0.0@0");
}

TEST_F(SelectionTest, TheRadicalOrAPlaceholderIsDecidedByItsFirstBox) {
  Load({u"<a>\\sqrt{<b>}\\frac{}{<c>}"});
  // Only the radical sign: the root is taken whole.
  Drag(Inside(Node({1}), 2, 10), Inside(Node({1}), 8, 30));
  EXPECT_EQ(SelectedMarkup(), u"\\sqrt{<b>}");
  // The empty numerator's frame alone: the fraction stays partial, the frame is green.
  const int32_t numerator = Node({2, 0, 0});
  Drag(Inside(numerator, 2, 2), Inside(numerator, 8, 8));
  EXPECT_EQ(SelectionOf(Node({2})), SelPartial);
  EXPECT_TRUE(Green(numerator));
  EXPECT_EQ(SelectedMarkup(), u"");
}

TEST_F(SelectionTest, TheEmptyLowerLimitAloneThenBackspaceSwitchesItOff) {
  Load({u"<x><+>\\sum{}{<n>}<y>"});
  const int32_t lower = Node({2, 0, 0});
  ASSERT_EQ(editor.CurrentLine().tree.CodeAt(lower), code::Placeholder);
  // Below the sign, whose box reaches down into the limit's frame.
  Drag(Inside(lower, 2, 16), Inside(lower, 8, 21));
  ASSERT_TRUE(Green(lower));
  ASSERT_FALSE(Green(Node({2})));
  Press(key::Back);
  EXPECT_EQ(Markup(), u"<x><+>\\sum{\\none}{<n>}<y>");
  EXPECT_EQ(Caret(), "root@3");
  EXPECT_FALSE(editor.selectionMode());
  EXPECT_TRUE(host.caret.exists);
  EXPECT_EQ(HistorySize(), 1);
  Press('Z', true);
  EXPECT_EQ(Markup(), u"<x><+>\\sum{}{<n>}<y>");
  // Delete does the same.
  Drag(Inside(Node({2, 0, 0}), 2, 16), Inside(Node({2, 0, 0}), 8, 21));
  Press(key::Delete);
  EXPECT_EQ(Markup(), u"<x><+>\\sum{\\none}{<n>}<y>");
  EXPECT_EQ(Caret(), "root@3");
}

TEST_F(SelectionTest, BackspaceOnMoreThanTheLimitDeletesTheSelection) {
  Load({u"<x>\\sum{}{<n>}<y>"});
  Drag(Centre(Node({0})), Centre(Node({2})));
  Press(key::Back);
  EXPECT_EQ(Markup(), u"");
  EXPECT_EQ(Caret(), "root@0");
}

TEST_F(SelectionTest, SelectAllThenDeleteKeepsTheLineWithOnePlaceholder) {
  Load({u"\\sqrt{<b>}\\super{<2>}"});
  Press('A', true);
  Press(key::Delete);
  EXPECT_EQ(AllMarkup(), (std::vector<std::u16string>{u""}));
  const EquationTree& tree = editor.CurrentLine().tree;
  ASSERT_EQ(tree.ChildCount(tree.root), 1);
  EXPECT_EQ(tree.CodeAt(tree.Child(tree.root, 0)), code::Placeholder);
  EXPECT_EQ(HistorySize(), 1);
}

TEST_F(SelectionTest, APressAndReleaseCloserThanFivePixelsIsAClick) {
  Load({u"<a><b><c>"});
  const LinePoint from = Inside(Node({0}), 3, 10);
  editor.OnLeftButtonDown(from.x, from.y);
  EXPECT_TRUE(host.mouseCaptured);
  editor.OnMouseMove(from.x + 4, from.y + 2);
  editor.OnLeftButtonUp(from.x + 4, from.y + 2);  // 16 + 4 = 20: a click
  EXPECT_FALSE(editor.selectionMode());
  EXPECT_EQ(SelectedMarkup(), u"");
  EXPECT_TRUE(host.caret.exists);
  EXPECT_EQ(Caret(), "root@0");

  editor.OnLeftButtonDown(from.x, from.y);
  editor.OnLeftButtonUp(from.x + 4, from.y + 3);  // 16 + 9 = 25: a drag
  EXPECT_TRUE(editor.selectionMode());
  EXPECT_EQ(SelectedMarkup(), u"<a>");
}

TEST_F(SelectionTest, MovesWithoutAPressedButtonSelectNothing) {
  Load({u"<a><b><c>"});
  editor.OnMouseMove(Centre(Node({0})).x, Centre(Node({0})).y);
  editor.OnMouseMove(Centre(Node({2})).x, Centre(Node({2})).y);
  editor.OnLeftButtonUp(Centre(Node({2})).x, Centre(Node({2})).y);
  EXPECT_FALSE(editor.selectionMode());
  EXPECT_EQ(SelectedMarkup(), u"");
  EXPECT_EQ(host.CountCalls("CaptureMouse"), 0);
}

TEST_F(SelectionTest, ArrowsLeaveADraggedSelectionAtItsEnds) {
  Load({u"<a><b><c><d>"});
  Drag(Centre(Node({1})), Centre(Node({2})));
  Press(key::Right);
  EXPECT_EQ(Caret(), "root@3");
  EXPECT_FALSE(editor.selectionMode());
  EXPECT_EQ(SelectedMarkup(), u"");
  Drag(Centre(Node({1})), Centre(Node({2})));
  Press(key::Left);
  EXPECT_EQ(Caret(), "root@1");
}

TEST_F(SelectionTest, ADragThatMovesToAnotherLineLeavesNothingSelectedBehind) {
  Load({u"<a><b><c>", u"<d><e>"});
  const LinePoint a = Centre(Node({0}));
  const LinePoint c = Centre(Node({2}));
  editor.OnLeftButtonDown(a.x, a.y);
  editor.OnMouseMove(c.x, c.y);
  ASSERT_EQ(SelectedMarkup(), u"<a><b><c>");
  // The midpoint between press and pointer now lies in the second band.
  editor.OnMouseMove(c.x, a.y + 2 * editor.BandHeight(0));
  editor.OnLeftButtonUp(c.x, a.y + 2 * editor.BandHeight(0));
  ASSERT_EQ(Current(), 1);
  Press(key::Up);
  ASSERT_EQ(Current(), 0);
  EXPECT_EQ(SelectedMarkup(), u"");
  EXPECT_FALSE(Green(Node({1})));
  Type(u"x");
  EXPECT_EQ(MarkupOf(0), u"<a><b><c><x>");
}

TEST_F(SelectionTest, StyleButtonsRestyleADraggedSelectionAndKeepIt) {
  Load({u"<a>\\frac{<b>}{<c>}<d>"});
  Drag(Centre(Node({1, 0, 0})), Centre(Node({1, 1, 0})));
  editor.OnCommand(command::StyleRed);
  EXPECT_EQ(Markup(), u"<a>\\red\\frac{\\red<b>}{\\red<c>}<d>");
  EXPECT_TRUE(editor.selectionMode());
  EXPECT_TRUE(Green(Node({1})) && Green(Node({1, 0, 0})));
  EXPECT_FALSE(Green(Node({0})));
  editor.OnCommand(command::StyleBold);
  EXPECT_EQ(Markup(), u"<a>\\red\\frac{\\red<b|rmbold>}{\\red<c|rmbold>}<d>");
  editor.OnCommand(command::StyleRed);
  EXPECT_EQ(Markup(), u"<a>\\frac{<b|rmbold>}{<c|rmbold>}<d>");
  EXPECT_EQ(HistorySize(), 3);
  // The selection still stands for the next key.
  Press(key::Delete);
  EXPECT_EQ(Markup(), u"<a><d>");
}

}  // namespace
}  // namespace kav
