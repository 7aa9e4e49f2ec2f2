// Typing into the editor: symbols, function names, scripts and fractions, each checked by the
// line's markup, the caret and what the undo history recorded.
#include "edit/tree_queries.h"
#include "editor_harness.h"

namespace kav {
namespace {

using TypingTest = EditorTest;

TEST_F(TypingTest, FirstLetterReplacesThePlaceholderAndIsRecorded) {
  EXPECT_EQ(Caret(), "root@1");
  Type(u"x");
  EXPECT_EQ(Markup(), u"<x>");
  EXPECT_EQ(Caret(), "root@1");
  EXPECT_EQ(editor.CurrentLine().tree.ChildCount(editor.CurrentLine().tree.root), 1);
  ASSERT_EQ(HistorySize(), 1);
  EXPECT_EQ(editor.history().Records()[0], (UndoRecord{UndoKind::LineChanged, 0, u"", u"<x>"}));
  EXPECT_TRUE(editor.document().modified);
}

TEST_F(TypingTest, EveryAcceptedCharacterBecomesOneSymbol) {
  Type(u"a+1=(b)!*,.-[Z]<|>");
  EXPECT_EQ(Markup(), u"<a><+><1><=><(><b><)><!><*><,><.><-><[><Z><]><lt><vertbar><gt>");
  Type(u"{}");
  EXPECT_EQ(editor.CurrentLine().tree.CodeAt(
                editor.CurrentLine().tree.Child(editor.CurrentLine().tree.root, 18)),
            code::LBrace);
  EXPECT_TRUE(Markup().ends_with(u"<lbrace><rbrace>"));
  const int32_t records = HistorySize();
  Type(u" \\\"#$%&':;?@`~\u00e9\t");
  EXPECT_EQ(HistorySize(), records);
  EXPECT_EQ(Caret(), "root@20");
}

TEST_F(TypingTest, FunctionNamesAreSetInRoman) {
  Type(u"xsin");
  EXPECT_EQ(Markup(), u"<x><s|rm><i|rm><n|rm>");
  Load({u""});
  Type(u"asin");
  EXPECT_EQ(Markup(), u"<a|rm><s|rm><i|rm><n|rm>");
  Load({u""});
  Type(u"sinh");
  EXPECT_EQ(Markup(), u"<s|rm><i|rm><n|rm><h>");
  Load({u""});
  Type(u"logexp");
  EXPECT_EQ(Markup(), u"<l|rm><o|rm><g|rm><e|rm><x|rm><p|rm>");
}

TEST_F(TypingTest, SuperscriptAtTheStartOfARowTakesThePlaceholderAsBase) {
  Type(u"^");
  EXPECT_EQ(Markup(), u"\\super{}");
  EXPECT_EQ(Caret(), "1.0@0");
  Type(u"2");
  EXPECT_EQ(Markup(), u"\\super{<2>}");
  EXPECT_EQ(Caret(), "1.0@1");

  Load({u"<x>"});
  Press(key::Home);
  Type(u"^");
  EXPECT_EQ(Markup(), u"\\super{}<x>");
  EXPECT_EQ(Caret(), "1.0@0");
}

TEST_F(TypingTest, CaretAfterOrBeforeAScriptEntersItInsteadOfNesting) {
  Type(u"x^2");
  Press(key::Right);
  EXPECT_EQ(Caret(), "root@2");
  const int32_t records = HistorySize();
  Type(u"^");
  EXPECT_EQ(Caret(), "1.0@1");
  EXPECT_EQ(Markup(), u"<x>\\super{<2>}");
  EXPECT_EQ(HistorySize(), records);

  Press(key::Home);
  Press(key::Right);
  Type(u"^");
  EXPECT_EQ(Caret(), "1.0@0");
  EXPECT_EQ(Markup(), u"<x>\\super{<2>}");
}

TEST_F(TypingTest, SubscriptAtTheStartAndAfterASuperscript) {
  Type(u"_");
  EXPECT_EQ(Markup(), u"\\sub{}");
  EXPECT_EQ(Caret(), "1.0@0");
  EXPECT_EQ(editor.CurrentLine().tree.CodeAt(
                editor.CurrentLine().tree.Child(editor.CurrentLine().tree.root, 0)),
            code::Placeholder);

  Load({u""});
  Type(u"x^2");
  Press(key::Right);
  Type(u"_i");
  EXPECT_EQ(Markup(), u"<x>\\super{<2>}\\sub{<i>}");
  EXPECT_EQ(Caret(), "2.0@1");
  Press(key::Right);
  Type(u"_");
  EXPECT_EQ(Caret(), "2.0@1");
}

TEST_F(TypingTest, SlashTakesThePrecedingOperandIntoTheNumerator) {
  Type(u"2x/");
  EXPECT_EQ(Markup(), u"\\frac{<2><x>}{}");
  EXPECT_EQ(Caret(), "0.1@0");

  Load({u""});
  Type(u"a+b/");
  EXPECT_EQ(Markup(), u"<a><+>\\frac{<b>}{}");
  EXPECT_EQ(Caret(), "2.1@0");

  Load({u"<alpha>"});
  Type(u"/");
  EXPECT_EQ(Markup(), u"\\frac{<alpha>}{}");
  EXPECT_EQ(Caret(), "0.1@0");

  Load({u"<x>\\super{<2>}"});
  Type(u"/");
  EXPECT_EQ(Markup(), u"\\frac{<x>\\super{<2>}}{}");
}

TEST_F(TypingTest, SlashAtTheStartOrAfterAFraction) {
  Type(u"/");
  EXPECT_EQ(Markup(), u"\\frac{}{}");
  EXPECT_EQ(Caret(), "0.0@0");
  Type(u"a");
  Press(key::Right);
  Type(u"b");
  Press(key::Right);
  EXPECT_EQ(Caret(), "root@1");
  const int32_t records = HistorySize();
  Type(u"/");
  EXPECT_EQ(Caret(), "0.1@1");
  EXPECT_EQ(Markup(), u"\\frac{<a>}{<b>}");
  EXPECT_EQ(HistorySize(), records);
}

TEST_F(TypingTest, FractionAndRootCommandsOpenTheirFirstSlot) {
  Type(u"x");
  Press('K', true);
  EXPECT_EQ(Markup(), u"<x>\\frac{}{}");
  EXPECT_EQ(Caret(), "1.0@0");
  editor.OnCommand(command::InsertRoot);
  EXPECT_EQ(Markup(), u"<x>\\frac{\\sqrt{}}{}");
  EXPECT_EQ(Caret(), "1.0.0.0@0");
  Type(u"2");
  Press('R', true);
  EXPECT_EQ(Markup(), u"<x>\\frac{\\sqrt{<2>\\sqrt{}}}{}");
}

TEST_F(TypingTest, BigOperatorsComeWithTwoEmptyLimitsAndTheCaretInTheLowerOne) {
  editor.RunEditCommand([&](EquationTree& tree, kav::Caret& caret) {
    return InsertSymbol(tree, caret, code::Sum, editor.statistics());
  });
  EXPECT_EQ(Markup(), u"\\sum{}{}");
  EXPECT_EQ(Caret(), "0.0@0");
  const EquationTree& tree = editor.CurrentLine().tree;
  EXPECT_EQ(tree.ChildCount(tree.Child(tree.root, 0)), 2);
}

TEST_F(TypingTest, StructuresStopNestingWhereTheReaderWouldRefuseTheLine) {
  for (int i = 0; i < kMaxStructureNesting + 5; ++i) Type(u"^");
  EXPECT_EQ(host.statusText, u"Nesting too deep");
  EXPECT_EQ(NestingOf(editor.CurrentLine().tree, editor.CurrentLine().caret.node),
            kMaxStructureNesting);
  // What was built reads back.
  EXPECT_NO_THROW(EquationLine(Markup(), &layouter));
  Type(u"x/");
  EXPECT_NO_THROW(EquationLine(Markup(), &layouter));
}

}  // namespace
}  // namespace kav
