// Paste LaTeX (Ctrl+Shift+V, and the Edit menu's command): the clipboard's Unicode text read as
// LaTeX goes in at the caret as Paste puts markup; further formulas become lines of their own;
// a refused text changes nothing and says why in the status bar.
#include "drag_harness.h"

namespace kav {
namespace {

class PasteLatexTest : public DragTest {
 protected:
  void PasteLatex(std::u16string text) {
    host.clipboard.reset();
    host.clipboardUnicodeText = std::move(text);
    Press('V', true, true);
  }
};

TEST_F(PasteLatexTest, GoesInAtTheCaretAsOneUndoStep) {
  Load({u"<a><b>"});
  Press(key::Left);
  PasteLatex(u"$\\frac{1}{2}+\\alpha$");
  EXPECT_EQ(Markup(), u"<a>\\frac{<1>}{<2>}<+><alpha><b>");
  EXPECT_EQ(Caret(), "root@4");
  EXPECT_EQ(HistorySize(), 1);
  EXPECT_TRUE(editor.document().modified);
  Press('Z', true);
  EXPECT_EQ(Markup(), u"<a><b>");
}

TEST_F(PasteLatexTest, ReplacesTheSelection) {
  Load({u"<a><b><c><d>"});
  Drag(Centre(Node({1})), Centre(Node({2})));
  PasteLatex(u"x^{2}");
  EXPECT_EQ(Markup(), u"<a><x>\\super{<2>}<d>");
  EXPECT_FALSE(editor.selectionMode());
  EXPECT_EQ(HistorySize(), 1);
}

TEST_F(PasteLatexTest, FurtherFormulasBecomeLinesEachUndoable) {
  Load({u"<a>", u"<z>"});
  PasteLatex(u"\\begin{align} x &= 1 \\\\ y &= 2 \\\\ w \\end{align}");
  EXPECT_EQ(AllMarkup(),
            (std::vector<std::u16string>{u"<a><x><=><1>", u"<y><=><2>", u"<w>", u"<z>"}));
  EXPECT_EQ(Current(), 2);
  EXPECT_EQ(HistorySize(), 3);
  Press('Z', true);
  EXPECT_EQ(AllMarkup(), (std::vector<std::u16string>{u"<a><x><=><1>", u"<y><=><2>", u"<z>"}));
  Press('Z', true);
  Press('Z', true);
  EXPECT_EQ(AllMarkup(), (std::vector<std::u16string>{u"<a>", u"<z>"}));
}

TEST_F(PasteLatexTest, ARefusedTextChangesNothingAndSaysWhy) {
  Load({u"<a><b><c>"});
  Drag(Centre(Node({0})), Centre(Node({1})));
  PasteLatex(u"x+\\binom{n}{k}\n\\alpha");
  EXPECT_EQ(host.statusText,
            u"LaTeX: \\binom cannot be written in a Kav formula (line 1, column 3)");
  EXPECT_EQ(AllMarkup(), (std::vector<std::u16string>{u"<a><b><c>"}));
  EXPECT_TRUE(editor.selectionMode());
  EXPECT_EQ(HistorySize(), 0);
  EXPECT_FALSE(editor.document().modified);
}

TEST_F(PasteLatexTest, WithoutTextOnTheClipboardNothingHappens) {
  Load({u"<a>"});
  host.clipboardUnicodeText.reset();
  Press('V', true, true);
  EXPECT_EQ(host.statusText, u"The clipboard holds no text.");
  EXPECT_EQ(Markup(), u"<a>");
  EXPECT_EQ(HistorySize(), 0);
  // Ctrl+V still reads only the private format: LaTeX text is not pasted by it.
  host.clipboardUnicodeText = u"x";
  Press('V', true);
  EXPECT_EQ(Markup(), u"<a>");
}

TEST_F(PasteLatexTest, TheMenuCommandDoesWhatTheKeysDo) {
  Load({u""});
  host.clipboardUnicodeText = u"\\sqrt{x}";
  editor.OnCommand(command::PasteLatex);
  EXPECT_EQ(Markup(), u"\\sqrt{<x>}");
  EXPECT_EQ(host.CountCalls("ReadUnicodeClipboardText"), 1);
}

TEST_F(PasteLatexTest, AFormulaTooDeepForTheCaretIsRefusedWhole) {
  std::u16string deep;
  for (int32_t i = 0; i < kMaxStructureNesting; ++i) deep += u"\\sqrt{";
  deep += u"x";
  for (int32_t i = 0; i < kMaxStructureNesting; ++i) deep += u"}";
  Load({u"\\sqrt{<a>}"});
  Press(key::Home);
  Press(key::Right);
  PasteLatex(deep + u"\n" + u"y");
  EXPECT_EQ(AllMarkup(), (std::vector<std::u16string>{u"\\sqrt{<a>}"}));
  EXPECT_EQ(host.statusText, u"Nesting too deep");
  EXPECT_EQ(HistorySize(), 0);
}

}  // namespace
}  // namespace kav
