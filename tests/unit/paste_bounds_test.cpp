// A paste reads at most kMaxFormulaText characters: a longer clipboard text, by Ctrl+V or by
// Paste from other programs, is refused with a word in the status bar and changes nothing.
#include <string>

#include "drag_harness.h"
#include "import/input_bounds.h"
#include "model/document_file.h"

namespace kav {
namespace {

enum class Source { Private, Text, MathmlFormat };

struct BoundCase {
  Source source;
  std::u16string formula;       // padded with spaces to the length tried
  std::u16string acceptedLine;  // the line after pasting the longest text allowed; empty: not tried
};

class PasteBoundsTest : public DragTest {
 protected:
  void PasteFrom(Source source, std::u16string text) {
    host.clipboard.reset();
    host.clipboardNamedFormats.clear();
    host.clipboardUnicodeText.reset();
    if (source == Source::Private) {
      host.clipboard = ClipboardPayloads{};
      host.clipboard->markup = std::move(text);
      Press('V', true);
    } else if (source == Source::Text) {
      host.clipboardUnicodeText = std::move(text);
      Press('V', true, true);
    } else {
      host.clipboardNamedFormats = {{u"MathML", {text.begin(), text.end()}}};
      Press('V', true, true);
    }
  }
};

std::u16string Padded(std::u16string text, size_t length) {
  text.resize(length, u' ');
  return text;
}

TEST_F(PasteBoundsTest, TextsLongerThanTheBoundAreRefusedWhole) {
  const BoundCase cases[] = {
      {Source::Private, u"<x>", u""},
      {Source::Text, u"x^{2}", u"<a><x>\\super{<2>}"},
      {Source::Text, u"<math><mi>y</mi></math>", u"<a><y>"},
      {Source::MathmlFormat, u"<math><mn>3</mn></math>", u"<a><3>"},
  };
  for (const BoundCase& c : cases) {
    SCOPED_TRACE(std::string(c.formula.begin(), c.formula.end()));
    Load({u"<a>"});
    PasteFrom(c.source, Padded(c.formula, kMaxFormulaText + 1));
    EXPECT_EQ(host.statusText, u"The clipboard's text is too long: 1,048,577 characters "
                               u"(1,048,576 at most); nothing was pasted.");
    EXPECT_EQ(AllMarkup(), (std::vector<std::u16string>{u"<a>"}));
    EXPECT_EQ(HistorySize(), 0);
    if (c.acceptedLine.empty()) continue;
    PasteFrom(c.source, Padded(c.formula, kMaxFormulaText));
    EXPECT_EQ(AllMarkup(), (std::vector<std::u16string>{c.acceptedLine}));
  }
}

// Every line the editor holds can be saved and opened again: a paste that would make a line
// longer than a file may hold is taken back whole.
TEST_F(PasteBoundsTest, NoPasteMakesALineLongerThanAFileMayHold) {
  std::u16string longest;
  for (size_t i = 0; i < kMaxFileLineUnits / 3 - 1; ++i) longest += u"<a>";
  Load({longest});
  PasteFrom(Source::Private, u"<b>");
  ASSERT_EQ(Markup().size(), kMaxFileLineUnits - 1);
  PasteFrom(Source::Private, u"<c><d>");
  EXPECT_EQ(host.statusText, u"The formula would be 4194309 characters long as a line of a "
                             u"document, more than the 4194304 a line may hold; nothing was "
                             u"changed.");
  EXPECT_EQ(Markup(), longest + u"<b>");
  EXPECT_EQ(HistorySize(), 1);

  // A further formula of a paste from another program that is too long refuses the whole paste.
  Load({u"<a>"});
  PasteFrom(Source::Text, u"x\n" + std::u16string(kMaxFormulaText - 2, u'\u03b1'));
  EXPECT_EQ(host.statusText, u"The formula would be 7340018 characters long as a line of a "
                             u"document, more than the 4194304 a line may hold; nothing was "
                             u"pasted.");
  EXPECT_EQ(AllMarkup(), (std::vector<std::u16string>{u"<a>"}));
  EXPECT_EQ(HistorySize(), 0);
}

}  // namespace
}  // namespace kav
