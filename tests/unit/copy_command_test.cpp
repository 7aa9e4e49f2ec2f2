// Copy and Copy as TeX through the editor and the headless host: what each format holds, that
// the selection only shapes the markup, that a writer's failure publishes nothing, and that the
// picture never shows the selection.
#include <algorithm>

#include "base/failure.h"
#include "base/utf.h"
#include "edit/selection.h"
#include "editor_harness.h"
#include "export/clipboard_payloads.h"
#include "export/gvml_package.h"
#include "export/hwp_script_writer.h"
#include "export/omml_writer.h"
#include "hwp/hwp_document.h"
#include "recording_canvas.h"
#include "typeset/line_geometry.h"
#include "typeset/paint.h"
#include "zip_reader.h"

namespace kav {
namespace {

constexpr char16_t kFormula[] = u"<x>\\super{<2>}<+>\\frac{<a>}{<b>}";

class CopyTest : public EditorTest {
 protected:
  const ClipboardPayloads& Published() {
    EXPECT_TRUE(host.clipboard.has_value());
    return *host.clipboard;
  }
  std::u16string Script() {
    ExportTextBuffer buffer;
    WriteHwpScriptNode(editor.CurrentLine().tree, editor.CurrentLine().tree.root, buffer);
    return buffer.Text();
  }
  // The package Copy should have made, stamped as the published one is.
  std::vector<uint8_t> ExpectedPackage(const std::vector<uint8_t>& published) {
    const auto entries = testing::ReadPlainZip(published).entries;
    EXPECT_FALSE(entries.empty());
    const DosDateTime stamp{entries.front().date, entries.front().time};
    const EquationLine& line = editor.CurrentLine();
    return BuildGvmlPackage(WriteOmml(line.tree, line.tree.root, {}), RootWidth(line),
                            RootHeight(line), stamp);
  }
  std::vector<DrawCall> DrawPicture(const ClipboardPicture& picture) {
    RecordingCanvas canvas;
    picture.draw(canvas);
    return canvas.calls;
  }
  // Marks the boxes of the root's first `items` items, as a drag over them would.
  void MarkFirstItems(int32_t items) {
    EquationLine& line = editor.CurrentLine();
    line.selection.marks.assign(line.boxes.size(), false);
    for (size_t k = 0; k < line.boxes.size(); ++k) {
      int32_t node = line.boxes[k].node;
      while (node >= 0 && line.tree.Parent(node) != line.tree.root) node = line.tree.Parent(node);
      if (node >= 0 && line.tree.IndexInParent(node) < items) line.selection.marks[k] = true;
    }
  }
};

TEST_F(CopyTest, SelectAllThenCtrlCPublishesTheWholeLineInAllFormats) {
  Load({kFormula});
  Press('A', true);
  const DosDateTime before = LocalDosDateTime();
  Press('C', true);
  const DosDateTime after = LocalDosDateTime();
  ASSERT_EQ(host.CountCalls("PublishClipboard"), 1);
  const ClipboardPayloads& payloads = Published();
  EXPECT_EQ(payloads.markup, kFormula);
  EXPECT_EQ(Script(), u"x ^{2 }+{{a }over{b }}");
  EXPECT_EQ(payloads.hwpDocument, BuildHwpDocument(Script()));
  EXPECT_EQ(payloads.officePackage, ExpectedPackage(payloads.officePackage));
  const uint16_t stampDate = testing::ReadPlainZip(payloads.officePackage).entries[0].date;
  EXPECT_TRUE(stampDate == before.date || stampDate == after.date);
  EXPECT_EQ(payloads.picture.width, RootWidth(editor.CurrentLine()));
  EXPECT_EQ(payloads.picture.height, RootHeight(editor.CurrentLine()));
  EXPECT_GT(payloads.picture.width, 0);
  // Copying changes nothing in the document.
  EXPECT_EQ(Markup(), kFormula);
  EXPECT_EQ(HistorySize(), 0);
}

TEST_F(CopyTest, NothingSelectedGivesEmptyMarkupButTheWholeLineElsewhere) {
  Load({kFormula});
  editor.OnCommand(command::Copy);
  const ClipboardPayloads& payloads = Published();
  EXPECT_EQ(payloads.markup, u"");
  EXPECT_EQ(payloads.hwpDocument, BuildHwpDocument(Script()));
  EXPECT_EQ(payloads.officePackage, ExpectedPackage(payloads.officePackage));
  EXPECT_EQ(payloads.picture.width, RootWidth(editor.CurrentLine()));
}

TEST_F(CopyTest, MarkupHoldsOnlyTheWhollySelectedItems) {
  Load({kFormula});
  // The marks of x and its superscript: Copy closes the selection from the marks itself.
  MarkFirstItems(2);
  editor.Copy();
  EXPECT_EQ(Published().markup, u"<x>\\super{<2>}");
  EXPECT_EQ(Published().hwpDocument, BuildHwpDocument(Script()));
}

TEST_F(CopyTest, PictureIsTheLineWithoutSelectionColours) {
  Load({u"\\integral{<0>}{<1>}<x><+>\\sqrt{<y>}\\red\\frac{<1>}{<2>}"});
  Press('A', true);
  editor.Copy();
  const EquationLine& line = editor.CurrentLine();
  const std::vector<DrawCall> calls = DrawPicture(Published().picture);
  RecordingCanvas unselected;
  PaintLineBoxes(unselected, 0, 0, line.boxes, nullptr);
  ASSERT_EQ(calls.size(), unselected.calls.size());
  EXPECT_GT(calls.size(), 5u);
  bool red = false;
  for (const DrawCall& call : calls) {
    EXPECT_FALSE(call.colour == kGreen);
    red = red || call.colour == kRed;
  }
  EXPECT_TRUE(red);
  // The painted window would show the same line in green.
  RecordingCanvas painted;
  PaintLineBoxes(painted, 0, 0, line.boxes, &line.selection.marks);
  EXPECT_TRUE(std::any_of(painted.calls.begin(), painted.calls.end(),
                          [](const DrawCall& c) { return c.colour == kGreen; }));
}

TEST_F(CopyTest, PictureKeepsItsOwnBoxes) {
  Load({kFormula});
  editor.Copy();
  const std::vector<DrawCall> before = DrawPicture(Published().picture);
  Load({u"<y>"});
  const std::vector<DrawCall> after = DrawPicture(Published().picture);
  ASSERT_EQ(before.size(), after.size());
  for (size_t k = 0; k < before.size(); ++k) EXPECT_EQ(before[k].unit, after[k].unit);
}

// The failure text of a Copy that must not publish.
std::u16string CopyFailure(Editor& editor) {
  try {
    editor.OnCommand(command::Copy);
  } catch (const Failure& failure) {
    return failure.text;
  }
  return u"(no failure)";
}

TEST_F(CopyTest, WriterFailurePublishesNothingAndKeepsTheEarlierCopy) {
  Load({u"<y>"});
  Press('A', true);
  editor.Copy();
  ASSERT_EQ(Published().markup, u"<y>");
  // A character the HWP script has no word for (no key or command makes one; the tree is
  // changed directly to stand for a future one).
  Load({u"<x><z>"});
  Press('A', true);
  EquationTree& tree = editor.CurrentLine().tree;
  tree.Data(tree.Child(tree.root, 1)).code = u'?';
  EXPECT_EQ(CopyFailure(editor), u"Hwp:: Unknown ch");
  // A script too long for the document's 16-bit length field.
  std::u16string digits;
  for (int k = 0; k < 65536; ++k) digits += u"<1>";
  Load({digits});
  Press('A', true);
  EXPECT_EQ(CopyFailure(editor),
            u"Hwp:: The equation is too long for an HWP document (65,535 characters at most)");
  EXPECT_EQ(host.CountCalls("PublishClipboard"), 1);
  EXPECT_EQ(Published().markup, u"<y>");
}

TEST_F(CopyTest, LockedClipboardChangesNothing) {
  Load({kFormula});
  host.clipboardLocked = true;
  editor.OnCommand(command::Copy);
  EXPECT_EQ(host.CountCalls("PublishClipboard (locked)"), 1);
  EXPECT_FALSE(host.clipboard.has_value());
  EXPECT_EQ(host.statusText, u"The clipboard could not be opened; nothing was copied.");
  editor.OnCommand(command::CopyAsTex);
  EXPECT_FALSE(host.clipboardUnicodeText.has_value());
}

TEST_F(CopyTest, CopyAsTexPublishesTheWholeLineWhateverIsSelected) {
  Load({u"\\sum{<i><=><1>}{<n>}<alpha|vector><+><x|rm|hat>"});
  MarkFirstItems(1);
  editor.OnCommand(command::CopyAsTex);
  ASSERT_TRUE(host.clipboardUnicodeText.has_value());
  EXPECT_EQ(*host.clipboardUnicodeText, u"\\sum _{i=1}^{n}\\vec{\\alpha }+\\hat{\\rm x}");
  EXPECT_FALSE(host.clipboard.has_value());
  // A character TeX cannot express is left out rather than failing the command.
  Load({u"<x><z>"});
  EquationTree& tree = editor.CurrentLine().tree;
  tree.Data(tree.Child(tree.root, 1)).code = u'?';
  editor.CopyAsTex();
  EXPECT_EQ(*host.clipboardUnicodeText, u"x");
}

TEST_F(CopyTest, CtrlShiftCPutsTheTypedLineOnTheClipboardAsLatex) {
  Type(u"sinx^2");
  Press(key::Right);
  Type(u"+a/b");
  Press('C', true, true);
  ASSERT_TRUE(host.clipboardUnicodeText.has_value());
  EXPECT_EQ(*host.clipboardUnicodeText, u"\\sin x^{2}+\\frac{a}{b}");
  EXPECT_EQ(host.CountCalls("PublishUnicodeText \\sin x^{2}+\\frac{a}{b}"), 1);
  EXPECT_FALSE(host.clipboard.has_value());  // the four formats of Copy stay untouched
}

TEST_F(CopyTest, CopyAsLatexTakesTheWholeLineAndReportsALockedClipboard) {
  Load({u"\\sum{<i><=><1>}{<n>}<alpha|vector><+><x|rm|hat>"});
  MarkFirstItems(1);
  editor.OnCommand(command::CopyAsLatex);
  ASSERT_TRUE(host.clipboardUnicodeText.has_value());
  EXPECT_EQ(*host.clipboardUnicodeText, u"\\sum_{i=1}^{n}\\vec{\\alpha}+\\hat{\\mathrm{x}}");
  host.clipboardUnicodeText.reset();
  host.clipboardLocked = true;
  editor.OnCommand(command::CopyAsLatex);
  EXPECT_FALSE(host.clipboardUnicodeText.has_value());
  EXPECT_EQ(host.statusText, u"The clipboard could not be opened; nothing was copied.");
}

TEST_F(CopyTest, CopyAsMathmlOffersBothOfficeFormatsAndTheText) {
  Load({u"<x>\\super{<2>}<+>\\frac{<a>}{<b>}"});
  MarkFirstItems(1);
  editor.OnCommand(command::CopyAsMathml);
  const std::string mathml =
      "<math xmlns=\"http://www.w3.org/1998/Math/MathML\" display=\"block\"><semantics><mrow>"
      "<msup><mi>x</mi><mn>2</mn></msup><mo>+</mo><mfrac><mi>a</mi><mi>b</mi></mfrac></mrow>"
      "<annotation encoding=\"application/x-tex\">x^{2}+\\frac{a}{b}</annotation></semantics></math>";
  ASSERT_EQ(host.clipboardNamedFormats.size(), 2u);
  EXPECT_EQ(host.clipboardNamedFormats[0].format, u"MathML");
  EXPECT_EQ(host.clipboardNamedFormats[1].format, u"MathML Presentation");
  for (const NamedClipboardData& data : host.clipboardNamedFormats) {
    EXPECT_EQ(std::string(data.bytes.begin(), data.bytes.end()), mathml);
  }
  ASSERT_TRUE(host.clipboardUnicodeText.has_value());
  EXPECT_EQ(EncodeUtf8(*host.clipboardUnicodeText), mathml);
  EXPECT_FALSE(host.clipboard.has_value());
  // A later Copy replaces all of it; a locked clipboard is reported and changes nothing.
  editor.OnCommand(command::Copy);
  EXPECT_TRUE(host.clipboardNamedFormats.empty());
  host.clipboardLocked = true;
  editor.OnCommand(command::CopyAsMathml);
  EXPECT_EQ(host.CountCalls("PublishNamedFormats MathML, MathML Presentation, text (locked)"), 1);
  EXPECT_TRUE(host.clipboardNamedFormats.empty());
  EXPECT_EQ(host.statusText, u"The clipboard could not be opened; nothing was copied.");
}

}  // namespace
}  // namespace kav

namespace kav {
namespace {

TEST_F(CopyTest, CopyPicturePublishesTheLinesPictureWithoutSelectionColoursAndNothingElse) {
  Load({u"\\integral{<0>}{<1>}<x><+>\\red\\frac{<1>}{<2>}"});
  Press('A', true);
  editor.OnCommand(command::CopyPicture);
  const EquationLine& line = editor.CurrentLine();
  ASSERT_TRUE(host.clipboardPicture.has_value());
  EXPECT_EQ(host.clipboardPicture->width, RootWidth(line));
  EXPECT_EQ(host.clipboardPicture->height, RootHeight(line));
  const std::vector<DrawCall> calls = DrawPicture(*host.clipboardPicture);
  EXPECT_GT(calls.size(), 4u);
  EXPECT_TRUE(std::none_of(calls.begin(), calls.end(),
                           [](const DrawCall& c) { return c.colour == kGreen; }));
  EXPECT_FALSE(host.clipboard.has_value());
  EXPECT_FALSE(host.clipboardUnicodeText.has_value());
}

TEST_F(CopyTest, CopyPictureReportsALockedClipboard) {
  Load({u"<x>"});
  host.clipboardLocked = true;
  editor.OnCommand(command::CopyPicture);
  EXPECT_FALSE(host.clipboardPicture.has_value());
  const EquationLine& line = editor.CurrentLine();
  EXPECT_EQ(host.CountCalls("PublishPicture " + std::to_string(RootWidth(line)) + "x" +
                            std::to_string(RootHeight(line)) + " (locked)"),
            1);
  EXPECT_EQ(host.statusText, u"The clipboard could not be opened; nothing was copied.");
}

}  // namespace
}  // namespace kav
