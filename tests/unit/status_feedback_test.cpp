// The status bar as the user reads it: a message belongs to the action that caused it, is
// replaced by the next action's message and cleared by the next edit; copies and pastes say what
// they did; a printable character the formula cannot hold is refused aloud.
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "editor_harness.h"

namespace kav {
namespace {

constexpr char16_t kBusy[] = u"The clipboard could not be opened; nothing was copied.";

class StatusTest : public EditorTest {
 protected:
  void OpenBadFile() {
    host.files[u"C:\\bad.kav"] = {'@', '@', '3', '\n', '@', '<', 0xFF, '>', '\n'};
    EXPECT_FALSE(editor.LoadDocument(u"C:\\bad.kav"));
    EXPECT_EQ(host.statusText, u"Invalid UTF-8 at byte 6");
  }
  void PasteLatex(std::u16string text) {
    host.clipboardUnicodeText = std::move(text);
    editor.OnCommand(command::PasteFromOtherPrograms);
  }
};

TEST_F(StatusTest, AMessageOutlivesMovesButNotTheNextEdit) {
  // Each edit starts from an open refusal shown in the bar, with a caret move in between.
  const std::pair<const char*, std::function<void()>> edits[] = {
      {"typing", [this] { Type(u"x"); }},
      {"new line", [this] { Press(key::Return); }},
      {"deleting a line", [this] { Press(key::Back); }},
      {"undo", [this] { Press('Z', true); }},
      {"redo", [this] { Press('Y', true); }},
      {"opening a file", [this] { EXPECT_TRUE(editor.LoadDocument(u"C:\\good.kav")); }},
  };
  host.files[u"C:\\good.kav"] = {'@', '<', 'a', '>', '\n'};
  for (const auto& [name, run] : edits) {
    SCOPED_TRACE(name);
    Load({u"<a>", u""});
    editor.document().currentLine = 1;
    Type(u"y");
    Press('Z', true);  // something to redo
    if (std::string(name) == "undo") Type(u"z");
    OpenBadFile();
    Press(key::Left);
    Press(key::Home);
    EXPECT_EQ(host.statusText, u"Invalid UTF-8 at byte 6");
    run();
    EXPECT_EQ(host.statusText, kIdleStatusText);
  }
}

TEST_F(StatusTest, AnEditThatChangesNothingKeepsTheMessage) {
  OpenBadFile();
  Press(key::Back);  // nothing before the caret of an empty only line
  Press('Z', true);  // nothing to undo
  EXPECT_EQ(host.statusText, u"Invalid UTF-8 at byte 6");
  // Nothing to clear: the idle bar is not written again for every key.
  HeadlessHost fresh;
  Editor quiet{fresh, metrics, layouter};
  for (char16_t c : std::u16string(u"a+b")) quiet.OnChar(c);
  EXPECT_EQ(fresh.CountCalls("SetStatusText"), 0);
}

TEST_F(StatusTest, CopiesAndPastesSayWhatTheyDid) {
  Type(u"x+1");
  const std::pair<int32_t, std::u16string> copies[] = {
      {command::Copy, u"Copied"},
      {command::CopyAsTex, u"Copied as TeX"},
      {command::CopyAsLatex, u"Copied as LaTeX"},
      {command::CopyAsMathml, u"Copied as MathML"},
      {command::CopyPicture, u"Copied picture"},
  };
  for (const auto& [id, said] : copies) {
    host.clipboardLocked = false;
    editor.OnCommand(id);
    EXPECT_EQ(host.statusText, said);
    host.clipboardLocked = true;
    editor.OnCommand(id);
    EXPECT_EQ(host.statusText, kBusy);
  }
  host.clipboardLocked = false;
  Press('A', true);
  editor.OnCommand(command::Copy);
  Press(key::End);
  Press('V', true);
  EXPECT_EQ(host.statusText, u"Pasted");
  EXPECT_EQ(Markup(), u"<x><+><1><x><+><1>");
  // A paste from another program that is refused says why; the next good one replaces that.
  PasteLatex(u"\\binom{n}{k}");
  EXPECT_EQ(host.statusText.substr(0, 7), u"LaTeX: ");
  PasteLatex(u"x^{2}");
  EXPECT_EQ(host.statusText, u"Pasted");
}

TEST_F(StatusTest, ACharacterTheFormulaCannotHoldIsRefusedAloud) {
  const std::u16string refused = u":;?'\"#$%&@`~\u00e9\u03b1\u2260";
  for (char16_t c : refused) {
    editor.OnChar(c);
    EXPECT_EQ(host.statusText, u"'" + std::u16string(1, c) + u"' cannot be typed in a formula");
  }
  // One message for the two halves of a character beyond the first plane (U+1D465).
  editor.OnChar(0xD835);
  editor.OnChar(0xDC65);
  EXPECT_EQ(host.statusText, u"'\U0001D465' cannot be typed in a formula");
  EXPECT_EQ(Markup(), u"");
  // Keys that come as characters without being text stay silent: Enter, Tab, Backspace,
  // Escape, Ctrl+A, Delete, the space and the backslash (which opens the inline box), and a
  // lone second half.
  host.SetStatusText(u"earlier");
  for (char16_t c : std::u16string(u"\r\t\b\x1b\x01\x7f \\\xdc65")) editor.OnChar(c);
  EXPECT_EQ(host.statusText, u"earlier");
}

}  // namespace
}  // namespace kav
