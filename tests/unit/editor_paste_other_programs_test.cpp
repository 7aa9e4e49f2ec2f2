// Paste from other programs (Ctrl+Shift+V, and the Edit menu's command): the clipboard's MathML
// formats, or its Unicode text read as MathML or LaTeX, go in at the caret as Paste puts markup;
// further formulas become lines of their own; a refused text changes nothing and says why in the
// status bar.
#include <string>

#include "drag_harness.h"

namespace kav {
namespace {

class PasteOtherTest : public DragTest {
 protected:
  void PasteText(std::u16string text) {
    host.clipboard.reset();
    host.clipboardNamedFormats.clear();
    host.clipboardUnicodeText = std::move(text);
    Press('V', true, true);
  }
};

TEST_F(PasteOtherTest, GoesInAtTheCaretAsOneUndoStep) {
  Load({u"<a><b>"});
  Press(key::Left);
  PasteText(u"$\\frac{1}{2}+\\alpha$");
  EXPECT_EQ(Markup(), u"<a>\\frac{<1>}{<2>}<+><alpha><b>");
  EXPECT_EQ(Caret(), "root@4");
  EXPECT_EQ(HistorySize(), 1);
  EXPECT_TRUE(editor.document().modified);
  Press('Z', true);
  EXPECT_EQ(Markup(), u"<a><b>");
}

TEST_F(PasteOtherTest, ReplacesTheSelection) {
  Load({u"<a><b><c><d>"});
  Drag(Centre(Node({1})), Centre(Node({2})));
  PasteText(u"x^{2}");
  EXPECT_EQ(Markup(), u"<a><x>\\super{<2>}<d>");
  EXPECT_FALSE(editor.selectionMode());
  EXPECT_EQ(HistorySize(), 1);
}

TEST_F(PasteOtherTest, FurtherFormulasBecomeLinesEachUndoable) {
  Load({u"<a>", u"<z>"});
  PasteText(u"\\begin{align} x &= 1 \\\\ y &= 2 \\\\ w \\end{align}");
  EXPECT_EQ(AllMarkup(), (std::vector<std::u16string>{u"<a><x><=><1>", u"<y><=><2>", u"<w>",
                                                      u"<z>"}));
  EXPECT_EQ(Current(), 2);
  EXPECT_EQ(HistorySize(), 3);
  Press('Z', true);
  EXPECT_EQ(AllMarkup(), (std::vector<std::u16string>{u"<a><x><=><1>", u"<y><=><2>", u"<z>"}));
  Press('Z', true);
  Press('Z', true);
  EXPECT_EQ(AllMarkup(), (std::vector<std::u16string>{u"<a>", u"<z>"}));
}

TEST_F(PasteOtherTest, ARefusedTextChangesNothingAndSaysWhy) {
  Load({u"<a><b><c>"});
  Drag(Centre(Node({0})), Centre(Node({1})));
  PasteText(u"x+\\binom{n}{k}\n\\alpha");
  EXPECT_EQ(host.statusText,
            u"LaTeX: \\binom cannot be written in a Kav formula (line 1, column 3)");
  EXPECT_EQ(AllMarkup(), (std::vector<std::u16string>{u"<a><b><c>"}));
  EXPECT_TRUE(editor.selectionMode());
  EXPECT_EQ(HistorySize(), 0);
  EXPECT_FALSE(editor.document().modified);
}

TEST_F(PasteOtherTest, WithoutTextOnTheClipboardNothingHappens) {
  Load({u"<a>"});
  host.clipboardUnicodeText.reset();
  Press('V', true, true);
  EXPECT_EQ(host.statusText, u"The clipboard holds no text.");
  EXPECT_EQ(Markup(), u"<a>");
  EXPECT_EQ(HistorySize(), 0);
  // Without a Kav formula on the clipboard, plain Ctrl+V reads the text as Ctrl+Shift+V does.
  host.clipboardUnicodeText = u"x";
  Press('V', true);
  EXPECT_EQ(Markup(), u"<a><x>");
}

TEST_F(PasteOtherTest, TheMenuCommandDoesWhatTheKeysDo) {
  Load({u""});
  host.clipboardUnicodeText = u"\\sqrt{x}";
  editor.OnCommand(command::PasteFromOtherPrograms);
  EXPECT_EQ(Markup(), u"\\sqrt{<x>}");
  EXPECT_EQ(host.CountCalls("ReadUnicodeClipboardText"), 1);
}

TEST_F(PasteOtherTest, AFormulaTooDeepForTheCaretIsRefusedWhole) {
  std::u16string deep;
  for (int32_t i = 0; i < kMaxStructureNesting; ++i) deep += u"\\sqrt{";
  deep += u"x";
  for (int32_t i = 0; i < kMaxStructureNesting; ++i) deep += u"}";
  Load({u"\\sqrt{<a>}"});
  Press(key::Home);
  Press(key::Right);
  PasteText(deep + u"\n" + u"y");
  EXPECT_EQ(AllMarkup(), (std::vector<std::u16string>{u"\\sqrt{<a>}"}));
  EXPECT_EQ(host.statusText, u"Nesting too deep");
  EXPECT_EQ(HistorySize(), 0);
}

std::vector<uint8_t> Utf8Bytes(std::string_view text) { return {text.begin(), text.end()}; }

TEST_F(PasteOtherTest, MathmlFormatsComeBeforeTheText) {
  Load({u"<a>"});
  host.clipboardUnicodeText = u"\\alpha";
  host.clipboardNamedFormats = {{u"MathML", Utf8Bytes("<math><mi>m</mi></math>")},
                                {u"MathML Presentation", Utf8Bytes("<mml:math xmlns:mml='x'><mml:msqrt><mml:mi>p</mml:mi></mml:msqrt></mml:math>")}};
  Press('V', true, true);
  EXPECT_EQ(Markup(), u"<a>\\sqrt{<p>}");
  host.clipboardNamedFormats.erase(host.clipboardNamedFormats.begin() + 1);
  Press('V', true, true);
  EXPECT_EQ(Markup(), u"<a>\\sqrt{<p>}<m>");
  EXPECT_EQ(host.CountCalls("ReadUnicodeClipboardText"), 0);
  EXPECT_EQ(HistorySize(), 2);
}

TEST_F(PasteOtherTest, TextIsMathmlWhenItBeginsWithAMathElementAndLatexOtherwise) {
  Load({u""});
  PasteText(u"  <?xml version=\"1.0\"?>\n<math><mfrac><mn>1</mn><mi>x</mi></mfrac></math>"
             u"<math><mi>y</mi></math>");
  EXPECT_EQ(AllMarkup(), (std::vector<std::u16string>{u"\\frac{<1>}{<x>}", u"<y>"}));
  PasteText(u"\\text{<math>} x");
  EXPECT_EQ(host.statusText.substr(0, 7), u"LaTeX: ");
}

// Text with an XML declaration or a DOCTYPE is XML, whatever follows: the MathML reader reads
// or refuses it, never the LaTeX reader.
TEST_F(PasteOtherTest, TextWithADeclarationOrDoctypeIsMathml) {
  Load({u""});
  PasteText(u"\xFEFF <!DOCTYPE math PUBLIC \"-//W3C//DTD MathML 2.0//EN\" \"mathml2.dtd\">\n"
            u"<math><msup><mi>x</mi><mn>2</mn></msup></math>");
  EXPECT_EQ(AllMarkup(), (std::vector<std::u16string>{u"<x>\\super{<2>}"}));
  PasteText(u"<?xml version=\"1.0\"?>\n<svg/>");
  EXPECT_EQ(host.statusText, u"MathML: <svg> is not a <math> element");
}

TEST_F(PasteOtherTest, RefusedMathmlChangesNothingAndSaysWhy) {
  Load({u"<a>"});
  PasteText(u"<math><mi>x</mi><mtable/></math>");
  EXPECT_EQ(host.statusText, u"MathML: <mtable> cannot be written in a Kav formula");
  host.clipboardNamedFormats = {{u"MathML", {0xC3, 0x28}}};
  Press('V', true, true);
  EXPECT_EQ(host.statusText, u"MathML: the clipboard's MathML is not UTF-8");
  EXPECT_EQ(Markup(), u"<a>");
  EXPECT_EQ(HistorySize(), 0);
}

TEST_F(PasteOtherTest, CopyAsMathmlPastesBackAsTheSameLine) {
  Load({u"\\sum{<i>}{<n>}<x|vector>\\super{<2>}<+>\\red\\frac{<s|rm><i|rm><n|rm><y>}{<3|rmbold>}"});
  const std::u16string line = Markup();
  editor.OnCommand(command::CopyAsMathml);
  Press('N', true);
  Press('V', true, true);
  EXPECT_EQ(Markup(), line);
}

}  // namespace
}  // namespace kav
