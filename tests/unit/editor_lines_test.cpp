// Line operations and the undo history: Enter, new and duplicated lines, undo and redo of edits
// and of line changes.
#include "editor_harness.h"

namespace kav {
namespace {

using LinesTest = EditorTest;
using Lines = std::vector<std::u16string>;

TEST_F(LinesTest, EnterAtTheStartOfALineInsertsAboveIt) {
  Load({u"<a>"});
  Press(key::Home);
  Press(key::Return);
  EXPECT_EQ(AllMarkup(), (Lines{u"", u"<a>"}));
  EXPECT_EQ(Current(), 0);
  EXPECT_EQ(Caret(), "root@1");
  EXPECT_EQ(editor.history().Records().back(), (UndoRecord{UndoKind::LineInserted, -1, u"", u""}));
  EXPECT_TRUE(editor.document().modified);

  Press('Z', true);
  EXPECT_EQ(AllMarkup(), (Lines{u"<a>"}));
  EXPECT_EQ(Current(), 0);
  Press('Y', true);
  EXPECT_EQ(AllMarkup(), (Lines{u"", u"<a>"}));
  EXPECT_EQ(Current(), 0);
}

TEST_F(LinesTest, EnterElsewhereInsertsBelow) {
  Load({u"<a><b>", u"<c>"});
  Press(key::Left);
  Press(key::Return);
  EXPECT_EQ(AllMarkup(), (Lines{u"<a><b>", u"", u"<c>"}));
  EXPECT_EQ(Current(), 1);
  Press(key::Return);  // on an empty line: below it
  EXPECT_EQ(AllMarkup(), (Lines{u"<a><b>", u"", u"", u"<c>"}));
  EXPECT_EQ(Current(), 2);
  Load({u"\\frac{<a>}{}"});
  Press(key::Home);
  Press(key::Right);
  Press(key::Return);  // position 0 of a slot is not the start of the line
  EXPECT_EQ(AllMarkup(), (Lines{u"\\frac{<a>}{}", u""}));
}

TEST_F(LinesTest, UndoAndRedoOfTypingStepThroughEachCharacter) {
  Type(u"ab");
  Press('Z', true);
  EXPECT_EQ(Markup(), u"<a>");
  EXPECT_EQ(Caret(), "root@1");
  Press('Z', true);
  EXPECT_EQ(Markup(), u"");
  EXPECT_EQ(Caret(), "root@1");
  Press('Z', true);
  EXPECT_EQ(Markup(), u"");
  EXPECT_EQ(editor.history().Position(), 0);
  Press('Y', true);
  Press('Y', true);
  EXPECT_EQ(Markup(), u"<a><b>");
  EXPECT_EQ(Caret(), "root@2");
  Press('Y', true);
  EXPECT_EQ(Markup(), u"<a><b>");
}

TEST_F(LinesTest, ANewEditAfterUndoDropsWhatCouldBeRedone) {
  Type(u"ab");
  Press('Z', true);
  Type(u"c");
  EXPECT_EQ(Markup(), u"<a><c>");
  EXPECT_EQ(HistorySize(), 2);
  Press('Y', true);
  EXPECT_EQ(Markup(), u"<a><c>");
}

TEST_F(LinesTest, UndoOfAStructuralEditRestoresTheWholeLine) {
  Type(u"a+b/c");
  Press(key::Right);
  Press(key::Back);
  EXPECT_EQ(Caret(), "2.1@1");
  Press(key::Back);
  Press(key::Back);
  Press(key::Back);
  Press(key::Back);
  EXPECT_EQ(Markup(), u"<a><+>");
  const char16_t* expected[] = {u"<a><+>\\frac{}{}", u"<a><+>\\frac{<b>}{}",
                                u"<a><+>\\frac{<b>}{<c>}"};
  for (const char16_t* markup : expected) {
    Press('Z', true);
    EXPECT_EQ(Markup(), markup);
    EXPECT_EQ(Caret(), "root@3");
  }
  for (int i = 0; i < 3; ++i) Press('Y', true);
  EXPECT_EQ(Markup(), u"<a><+>");
}

TEST_F(LinesTest, DuplicateThenUndoLeavesTheOriginalCurrent) {
  Load({u"<x>\\super{<2>}", u"<y>"});
  Press('D', true);
  EXPECT_EQ(AllMarkup(), (Lines{u"<x>\\super{<2>}", u"<x>\\super{<2>}", u"<y>"}));
  EXPECT_EQ(Current(), 1);
  EXPECT_EQ(Caret(), "root@2");
  Press('Z', true);
  EXPECT_EQ(AllMarkup(), (Lines{u"<x>\\super{<2>}", u"<y>"}));
  EXPECT_EQ(Current(), 0);
  EXPECT_EQ(Caret(), "root@2");
  editor.OnCommand(command::Redo);
  EXPECT_EQ(AllMarkup(), (Lines{u"<x>\\super{<2>}", u"<x>\\super{<2>}", u"<y>"}));
  EXPECT_EQ(Current(), 1);
}

TEST_F(LinesTest, NewLineGoesAfterTheCurrentOneWherever) {
  Load({u"<a>", u"<b>"});
  Press(key::Home);
  Press('N', true);
  EXPECT_EQ(AllMarkup(), (Lines{u"<a>", u"", u"<b>"}));
  editor.OnCommand(command::NewLine);
  EXPECT_EQ(AllMarkup(), (Lines{u"<a>", u"", u"", u"<b>"}));
  EXPECT_EQ(Current(), 2);
  editor.OnCommand(command::Undo);
  editor.OnCommand(command::Undo);
  EXPECT_EQ(AllMarkup(), (Lines{u"<a>", u"<b>"}));
}

TEST_F(LinesTest, UndoOfADeletedMiddleLineBringsItBackInPlace) {
  Load({u"<a>", u"", u"<b>"});
  Press(key::Down);
  Press(key::Delete);
  Press('Z', true);
  EXPECT_EQ(AllMarkup(), (Lines{u"<a>", u"", u"<b>"}));
  EXPECT_EQ(Current(), 1);
  EXPECT_EQ(Caret(), "root@1");
}

TEST_F(LinesTest, UndoAndRedoOfBackspaceOnAnEmptyLineAndOfScripts) {
  Load({u"<a>", u""});
  Press(key::Down);
  Press(key::Back);
  EXPECT_EQ(AllMarkup(), (Lines{u"<a>"}));
  EXPECT_EQ(editor.history().Records().back(), (UndoRecord{UndoKind::LineDeleted, 1, u"", u""}));
  Press('Z', true);
  EXPECT_EQ(AllMarkup(), (Lines{u"<a>", u""}));
  EXPECT_EQ(Current(), 1);
  Press('Y', true);
  EXPECT_EQ(AllMarkup(), (Lines{u"<a>"}));
  EXPECT_EQ(Current(), 0);
  EXPECT_EQ(Caret(), "root@1");

  Load({u""});
  Type(u"x^2");
  Press(key::Right);
  Type(u"_i");
  ASSERT_EQ(Markup(), u"<x>\\super{<2>}\\sub{<i>}");
  const char16_t* undone[] = {u"<x>\\super{<2>}\\sub{}", u"<x>\\super{<2>}", u"<x>\\super{}",
                              u"<x>"};
  for (const char16_t* markup : undone) {
    Press('Z', true);
    EXPECT_EQ(Markup(), markup);
  }
  Press('Y', true);
  Press('Y', true);
  EXPECT_EQ(Markup(), u"<x>\\super{<2>}");
}

TEST_F(LinesTest, EveryLineKeepsTheTreeItsMarkupReadsTo) {
  Load({u"<a>", u"\\frac{<b>}{<c>}", u"<d>\\super{<e>}"});
  Press('D', true);
  Press(key::Return);
  Type(u"x^2");
  Press(key::Down);
  Press('N', true);
  Press(key::Up);
  Press(key::Back);
  Press('Z', true);
  Press('Z', true);
  Press('Y', true);
  for (const EquationLine& line : editor.document().lines) {
    ExportTextBuffer buffer;
    WriteMarkupNode(line.tree, line.tree.root, buffer);
    EXPECT_EQ(buffer.Text(), line.markup);
    const EquationLine fresh(line.markup, &layouter);
    ASSERT_EQ(line.boxes.size(), fresh.boxes.size()) << EncodeUtf8(line.markup);
    for (size_t i = 0; i < line.boxes.size(); ++i) {
      EXPECT_EQ(line.boxes[i].code, fresh.boxes[i].code);
      EXPECT_EQ(line.boxes[i].x, fresh.boxes[i].x);
      EXPECT_EQ(line.boxes[i].y, fresh.boxes[i].y);
    }
    EXPECT_EQ(line.layouter, &layouter);
  }
}

TEST_F(LinesTest, ReplacedLinesAreLaidOutAndHistoryEmptied) {
  Type(u"ab");
  std::vector<EquationLine> lines;
  lines.emplace_back(u"<a>\\super{<2>}");  // read without a layouter: no boxes yet
  editor.ReplaceLines(std::move(lines));
  EXPECT_FALSE(editor.CurrentLine().boxes.empty());
  EXPECT_EQ(Caret(), "root@2");
  EXPECT_EQ(HistorySize(), 0);
  EXPECT_FALSE(editor.document().modified);
  Press('Z', true);
  EXPECT_EQ(Markup(), u"<a>\\super{<2>}");
  editor.ReplaceLines({});
  EXPECT_EQ(AllMarkup(), (Lines{u""}));
}

}  // namespace
}  // namespace kav
