// Backspace and Delete: into and out of structures, removing empty ones, and on empty lines.
#include "editor_harness.h"

namespace kav {
namespace {

using DeleteTest = EditorTest;

TEST_F(DeleteTest, BackspaceWalksIntoAFractionAndRemovesItOnceEmpty) {
  Load({u"\\frac{<a>}{<b>}"});
  Press(key::Back);
  EXPECT_EQ(Caret(), "0.1@1");
  EXPECT_EQ(Markup(), u"\\frac{<a>}{<b>}");
  EXPECT_EQ(HistorySize(), 0);
  Press(key::Back);
  EXPECT_EQ(Markup(), u"\\frac{<a>}{}");
  EXPECT_EQ(Caret(), "0.1@0");
  Press(key::Back);
  EXPECT_EQ(Caret(), "0.0@1");
  Press(key::Back);
  EXPECT_EQ(Markup(), u"\\frac{}{}");
  EXPECT_EQ(Caret(), "0.0@0");
  Press(key::Back);
  EXPECT_EQ(Markup(), u"");
  EXPECT_EQ(Caret(), "root@0");
  EXPECT_EQ(HistorySize(), 3);
  Press(key::Back);
  EXPECT_EQ(Markup(), u"");
  EXPECT_EQ(HistorySize(), 3);
}

TEST_F(DeleteTest, BackspaceKeepsAFractionWhoseOtherPartHoldsSomething) {
  Load({u"\\frac{}{<b>}"});
  Press(key::Home);
  Press(key::Right);
  EXPECT_EQ(Caret(), "0.0@0");
  Press(key::Back);
  EXPECT_EQ(Markup(), u"\\frac{}{<b>}");
  EXPECT_EQ(Caret(), "0.0@0");
}

TEST_F(DeleteTest, BackspaceEntersAndRemovesScriptsAndRoots) {
  for (const std::u16string markup : {u"<x>\\super{<2>}", u"<x>\\sub{<2>}", u"<x>\\sqrt{<2>}"}) {
    Load({markup});
    Press(key::Back);
    EXPECT_EQ(Caret(), "1.0@1") << EncodeUtf8(markup);
    Press(key::Back);
    EXPECT_EQ(Caret(), "1.0@0");
    Press(key::Back);
    EXPECT_EQ(Markup(), u"<x>");
    EXPECT_EQ(Caret(), "root@1");
  }
}

TEST_F(DeleteTest, BackspaceInsideALimitNeverRemovesTheOperator) {
  Load({u"\\sum{}{<n>}"});
  Press(key::Down);
  EXPECT_EQ(Caret(), "0.0@1");
  Press(key::Back);
  EXPECT_EQ(Markup(), u"\\sum{}{<n>}");
  Press(key::Right);
  Press(key::Back);
  EXPECT_EQ(Markup(), u"");
}

TEST_F(DeleteTest, DeleteRemovesSymbolsAndOnlyEmptyFractionsAndRoots) {
  Load({u"\\frac{<a>}{}<x>"});
  Press(key::Home);
  Press(key::Delete);
  EXPECT_EQ(Markup(), u"\\frac{<a>}{}<x>");
  Load({u"\\frac{}{}<x>"});
  Press(key::Home);
  Press(key::Delete);
  EXPECT_EQ(Markup(), u"<x>");
  EXPECT_EQ(Caret(), "root@0");
  Press(key::Delete);
  EXPECT_EQ(Markup(), u"");

  Load({u"\\sqrt{<2>}\\sqrt{}"});
  Press(key::Home);
  Press(key::Delete);
  EXPECT_EQ(Markup(), u"\\sqrt{<2>}\\sqrt{}");
  Press(key::Right);
  Press(key::Right);
  Press(key::Right);
  EXPECT_EQ(Caret(), "root@1");
  Press(key::Delete);
  EXPECT_EQ(Markup(), u"\\sqrt{<2>}");
}

TEST_F(DeleteTest, DeleteTakesABigOperatorWithItsLimitsButNeverAScript) {
  Load({u"\\sum{<i>}{<n>}<x>\\super{<2>}"});
  Press(key::Home);
  Press(key::Delete);
  EXPECT_EQ(Markup(), u"<x>\\super{<2>}");
  Press(key::Right);
  Press(key::Delete);
  EXPECT_EQ(Markup(), u"<x>\\super{<2>}");
  Press(key::End);
  Press(key::Delete);
  EXPECT_EQ(Markup(), u"<x>\\super{<2>}");
  EXPECT_EQ(HistorySize(), 1);
}

TEST_F(DeleteTest, BackspaceOnAnEmptyLineRemovesItAndGoesToThePreviousLineEnd) {
  Load({u"<a>", u"", u"<b>"});
  Press(key::Down);
  ASSERT_EQ(Current(), 1);
  Press(key::Back);
  EXPECT_EQ(AllMarkup(), (std::vector<std::u16string>{u"<a>", u"<b>"}));
  EXPECT_EQ(Current(), 0);
  EXPECT_EQ(Caret(), "root@1");
  EXPECT_EQ(editor.history().Records().back(), (UndoRecord{UndoKind::LineDeleted, 1, u"", u""}));

  Press('Z', true);
  EXPECT_EQ(AllMarkup(), (std::vector<std::u16string>{u"<a>", u"", u"<b>"}));
  EXPECT_EQ(Current(), 1);
  Press('Y', true);
  EXPECT_EQ(AllMarkup(), (std::vector<std::u16string>{u"<a>", u"<b>"}));
  EXPECT_EQ(Current(), 0);
}

TEST_F(DeleteTest, BackspaceOnAnEmptyFirstLineGoesToTheStartOfTheNextLine) {
  Load({u"", u"<b>"});
  Press(key::Back);
  EXPECT_EQ(AllMarkup(), (std::vector<std::u16string>{u"<b>"}));
  EXPECT_EQ(Caret(), "root@0");
}

TEST_F(DeleteTest, DeleteOnAnEmptyLineGoesToTheStartOfTheFollowingLine) {
  Load({u"<a>", u"", u"<b>"});
  Press(key::Down);
  Press(key::Delete);
  EXPECT_EQ(AllMarkup(), (std::vector<std::u16string>{u"<a>", u"<b>"}));
  EXPECT_EQ(Current(), 1);
  EXPECT_EQ(Caret(), "root@0");

  Load({u"<a>", u""});
  Press(key::Down);
  Press(key::Delete);
  EXPECT_EQ(AllMarkup(), (std::vector<std::u16string>{u"<a>"}));
  EXPECT_EQ(Current(), 0);
  EXPECT_EQ(Caret(), "root@1");

  Load({u"", u"<b>"});
  Press(key::Delete);
  EXPECT_EQ(Current(), 0);
  EXPECT_EQ(Caret(), "root@0");
}

TEST_F(DeleteTest, TheLastLineIsNeverRemoved) {
  Press(key::Back);
  Press(key::Delete);
  EXPECT_EQ(AllMarkup(), (std::vector<std::u16string>{u""}));
  EXPECT_EQ(HistorySize(), 0);
  EXPECT_EQ(Caret(), "root@0");
}

TEST_F(DeleteTest, SelectAllThenDeleteLeavesOnePlaceholder) {
  Load({u"<a><+>\\frac{<b>}{<c>}"});
  Press('A', true);
  EXPECT_TRUE(editor.selectionMode());
  Press(key::Delete);
  EXPECT_EQ(Markup(), u"");
  EXPECT_EQ(AllMarkup().size(), 1u);
  EXPECT_FALSE(editor.selectionMode());
  EXPECT_EQ(editor.history().Records().back(),
            (UndoRecord{UndoKind::LineChanged, 0, u"<a><+>\\frac{<b>}{<c>}", u""}));
  const EquationTree& tree = editor.CurrentLine().tree;
  ASSERT_EQ(tree.ChildCount(tree.root), 1);
  EXPECT_EQ(tree.CodeAt(tree.Child(tree.root, 0)), code::Placeholder);
}

TEST_F(DeleteTest, TypingOverASelectionReplacesIt) {
  Load({u"<a><b>"});
  Press('A', true);
  Type(u"x");
  EXPECT_EQ(Markup(), u"<x>");
  EXPECT_EQ(Caret(), "root@1");
  Press('Z', true);
  EXPECT_EQ(Markup(), u"<a><b>");
}

TEST_F(DeleteTest, BackspaceOnALoneSelectedEmptyLimitSwitchesItOff) {
  Load({u"\\sum{}{<n>}"});
  EquationLine& line = editor.CurrentLine();
  const int32_t sum = line.tree.Child(line.tree.root, 0);
  const int32_t lowerPlaceholder = line.tree.Child(line.tree.Child(sum, 0), 0);
  Press('A', true);  // selection mode on; then narrow the marks to the limit's frame
  line.selection.marks.assign(line.boxes.size(), false);
  for (size_t i = 0; i < line.boxes.size(); ++i) {
    if (line.boxes[i].node == lowerPlaceholder) line.selection.marks[i] = true;
  }
  Press(key::Back);
  EXPECT_EQ(Markup(), u"\\sum{\\none}{<n>}");
  EXPECT_EQ(Caret(), "root@1");
  EXPECT_FALSE(editor.selectionMode());
  Press(key::Down);
  EXPECT_EQ(Caret(), "root@1");
}

}  // namespace
}  // namespace kav
