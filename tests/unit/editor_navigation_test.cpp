// Caret movement by keys: through rows and structures, big operators and their limits, between
// lines, and Tab to the next empty slot.
#include "editor_harness.h"

namespace kav {
namespace {

using NavigationTest = EditorTest;

TEST_F(NavigationTest, LeadingPlaceholderIsOneCaretPlace) {
  EXPECT_EQ(Caret(), "root@1");
  Press(key::Right);
  EXPECT_EQ(Caret(), "root@1");
  Press(key::Left);
  EXPECT_EQ(Caret(), "root@0");
  Press(key::Left);
  EXPECT_EQ(Caret(), "root@0");
  Press(key::End);
  EXPECT_EQ(Caret(), "root@1");
  Press(key::Home);
  EXPECT_EQ(Caret(), "root@0");
}

TEST_F(NavigationTest, RightAndLeftEnterAndLeaveStructures) {
  Load({u"<a>\\frac{<b>}{<c>}\\super{<2>}"});
  Press(key::Home);
  const char* rightward[] = {"root@1", "1.0@0", "1.0@1", "1.1@0",  "1.1@1",
                             "root@2", "2.0@0", "2.0@1", "root@3", "root@3"};
  for (const char* expected : rightward) {
    Press(key::Right);
    EXPECT_EQ(Caret(), expected);
  }
  const char* leftward[] = {"2.0@1", "2.0@0", "root@2", "1.1@1",  "1.1@0",
                            "1.0@1", "1.0@0", "root@1", "root@0", "root@0"};
  for (const char* expected : leftward) {
    Press(key::Left);
    EXPECT_EQ(Caret(), expected);
  }
}

TEST_F(NavigationTest, RightSkipsOverBigOperators) {
  Load({u"\\sum{<i>}{<n>}<x>"});
  Press(key::Home);
  Press(key::Right);
  EXPECT_EQ(Caret(), "root@1");
}

TEST_F(NavigationTest, UpAndDownEnterTheLimitsOfABigOperator) {
  Load({u"<a>", u"\\sum{<i>}{<n>}", u"<b>"});
  Press(key::Down);
  EXPECT_EQ(Current(), 1);
  EXPECT_EQ(Caret(), "root@0");
  Press(key::Down);
  EXPECT_EQ(Caret(), "0.0@0");
  Press(key::Up);  // Up leaves a lower limit to just after its operator
  EXPECT_EQ(Caret(), "root@1");
  Press(key::Up);
  EXPECT_EQ(Caret(), "0.1@1");
  Press(key::Down);  // Down leaves an upper limit to just after its operator
  EXPECT_EQ(Current(), 1);
  EXPECT_EQ(Caret(), "root@1");
  Press(key::Down);
  EXPECT_EQ(Caret(), "0.0@1");
  Press(key::Down);  // a lower limit has no exit of its own for Down: on to the next line
  EXPECT_EQ(Current(), 2);
  EXPECT_EQ(Caret(), "root@0");
  Press(key::Up);
  Press(key::Up);
  EXPECT_EQ(Current(), 1);
  EXPECT_EQ(Caret(), "0.1@1");
  Press(key::Up);  // nor an upper limit for Up: on to the previous line
  EXPECT_EQ(Current(), 0);
}

// Just after the operator Down would enter the lower limit again, so Down from a lower limit
// moves on below it: to the next line, or from a numerator to its denominator.
TEST_F(NavigationTest, DownFromALowerLimitMovesOn) {
  Load({u"\\integral{<0>}{<1>}<x>", u"<b>"});
  Press(key::Home);
  Press(key::Down);
  EXPECT_EQ(Caret(), "0.0@0");
  Press(key::Down);
  EXPECT_EQ(Current(), 1);
  EXPECT_EQ(Caret(), "root@0");

  Load({u"\\frac{\\sum{<i>}{<n>}}{<b>}"});
  Press(key::Home);
  Press(key::Right);
  Press(key::Down);
  EXPECT_EQ(Caret(), "0.0.0.0@0");
  Press(key::Down);
  EXPECT_EQ(Caret(), "0.1@1");
  Press(key::Down);  // the last line: to its end
  EXPECT_EQ(Caret(), "root@1");
}

TEST_F(NavigationTest, ALimitSwitchedOffIsNotEntered) {
  Load({u"\\sum{\\none}{<n>}", u"<b>"});
  Press(key::Down);
  EXPECT_EQ(Current(), 1);
  Load({u"<b>", u"\\sum{<i>}{\\none}"});
  Press(key::Down);
  Press(key::End);
  Press(key::Up);
  EXPECT_EQ(Current(), 0);
  EXPECT_EQ(Caret(), "root@1");
}

TEST_F(NavigationTest, UpAndDownCrossAFraction) {
  Load({u"\\frac{<a><b>}{\\sqrt{<c>}}"});
  Press(key::Left);
  EXPECT_EQ(Caret(), "0.1@1");
  Press(key::Left);
  EXPECT_EQ(Caret(), "0.1.0.0@1");
  Press(key::Up);
  EXPECT_EQ(Caret(), "0.0@2");
  Press(key::Down);
  EXPECT_EQ(Caret(), "0.1@1");
  Press(key::Down);
  EXPECT_EQ(Caret(), "root@1");
  EXPECT_EQ(Current(), 0);
}

TEST_F(NavigationTest, UpInTheFirstLineAndDownInTheLastKeepTheLine) {
  Load({u"<a><b>"});
  Press(key::Left);
  Press(key::Up);
  EXPECT_EQ(Caret(), "root@0");
  Press(key::Right);
  Press(key::Down);
  EXPECT_EQ(Caret(), "root@2");
  EXPECT_EQ(HistorySize(), 0);
  EXPECT_FALSE(editor.document().modified);
}

TEST_F(NavigationTest, TabGoesToTheNextEmptySlot) {
  Press('K', true);
  Type(u"a");
  Press(key::Tab);
  EXPECT_EQ(Caret(), "0.1@0");
  Press(key::Tab);
  EXPECT_EQ(Caret(), "root@1");

  Load({u"\\frac{}{}\\sqrt{}<x>"});
  Press(key::Home);
  Press(key::Tab);
  EXPECT_EQ(Caret(), "0.0@0");
  Press(key::Tab);
  EXPECT_EQ(Caret(), "0.1@0");
  Press(key::Tab);
  EXPECT_EQ(Caret(), "1.0@0");
  Press(key::Tab);
  EXPECT_EQ(Caret(), "root@3");
}

TEST_F(NavigationTest, SpaceStepsOutOfSlotsButNotOverSymbols) {
  Press('K', true);
  Type(u"a");
  Press(key::Space);
  EXPECT_EQ(Caret(), "0.1@0");
  Load({u"<a><b>"});
  Press(key::Home);
  Press(key::Space);
  EXPECT_EQ(Caret(), "root@0");
  Load({u"\\sqrt{<a>}<b>"});
  Press(key::Home);
  Press(key::Space);
  EXPECT_EQ(Caret(), "0.0@0");
  EXPECT_EQ(HistorySize(), 0);
}

// Up and Down both leave a selection at its start, then move from there: before b a sum stands
// on the left, whose limits they enter; from the selection's end they would have gone to the
// line's start or end. (Ctrl+A in a document of one line selects just that line.)
TEST_F(NavigationTest, UpAndDownLeaveASelectionAtItsStart) {
  for (const int32_t arrow : {key::Down, key::Up}) {
    Load({u"\\sum{<i>}{<n>}<b><c>"});
    EquationLine& line = editor.CurrentLine();
    const int32_t b = line.tree.Child(line.tree.root, 1);
    const int32_t c = line.tree.Child(line.tree.root, 2);
    Press('A', true);  // selection mode on; then narrow the marks to b and c
    for (size_t i = 0; i < line.boxes.size(); ++i) {
      line.selection.marks[i] = line.boxes[i].node == b || line.boxes[i].node == c;
    }
    Press(arrow);
    EXPECT_FALSE(editor.selectionMode());
    EXPECT_EQ(Current(), 0);
    EXPECT_EQ(Caret(), arrow == key::Down ? "0.0@1" : "0.1@1");
  }
}

TEST_F(NavigationTest, KeysLeaveASelectionAtItsEnds) {
  Load({u"<a><b><c>"});
  Press('A', true);
  Press(key::Left);
  EXPECT_EQ(Caret(), "root@0");
  EXPECT_FALSE(editor.selectionMode());
  Press('A', true);
  Press(key::Right);
  EXPECT_EQ(Caret(), "root@3");
  Press(key::Home);
  Press('A', true);
  Press(key::Space);
  EXPECT_EQ(Caret(), "root@3");
  Press('A', true);
  Press(key::Home);
  EXPECT_EQ(Caret(), "root@0");
  EXPECT_FALSE(editor.selectionMode());
  EXPECT_EQ(Markup(), u"<a><b><c>");
}

}  // namespace
}  // namespace kav
