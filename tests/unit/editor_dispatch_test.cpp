// Routing of keys and commands that act on the window rather than on the line.
#include <utility>

#include "editor_harness.h"

namespace kav {
namespace {

using DispatchTest = EditorTest;

TEST_F(DispatchTest, WindowCommandsGoToTheHost) {
  Press('W', true);
  EXPECT_TRUE(host.closePosted);
  editor.OnCommand(command::Manual);
  EXPECT_EQ(host.manualOpened, 1);
  editor.OnCommand(command::TogglePalette);
  EXPECT_FALSE(host.paletteVisible);
  editor.OnCommand(command::TogglePalette);
  EXPECT_TRUE(host.paletteVisible);
  EXPECT_EQ(host.focusRequests, 2);
}

TEST_F(DispatchTest, UnknownKeysAndCommandsDoNothing) {
  Type(u"ab");
  const std::vector<std::string> before = host.calls;
  const int32_t records = HistorySize();
  Press(113);  // F2
  Press('B', true);
  Press(key::Escape);
  Press(key::Back, true);  // Backspace with Ctrl held is not Backspace
  editor.OnCommand(12345);
  editor.OnCommand(command::StyleRed + 1 + 100);
  EXPECT_EQ(host.calls, before);
  EXPECT_EQ(HistorySize(), records);
  EXPECT_EQ(Markup(), u"<a><b>");
}

// Each style button toggles its own bits on the letter before the caret and hands the keyboard
// back to the main window.
TEST_F(DispatchTest, EveryStyleButtonRestylesTheLetterBeforeTheCaret) {
  const std::pair<int32_t, const char16_t*> buttons[] = {
      {command::StyleRoman, u"<x|rm>"},   {command::StyleBold, u"<x|rmbold>"},
      {command::StyleItalic, u"<x>"},     {command::StyleVector, u"<x|vector>"},
      {command::StyleHat, u"<x|hat>"},    {command::StyleBar, u"<x|bar>"},
      {command::StyleTilde, u"<x|tilde>"}, {command::StyleRed, u"\\red<x>"},
  };
  for (const auto& [id, markup] : buttons) {
    Load({u"<x>"});
    const int32_t focus = host.focusRequests;
    editor.OnCommand(id);
    EXPECT_EQ(Markup(), markup) << id;
    EXPECT_EQ(host.focusRequests, focus + 1) << id;
    editor.OnCommand(id);
    EXPECT_EQ(Markup(), u"<x>") << id;
  }
}

TEST_F(DispatchTest, UndoAndRedoEndASelection) {
  Type(u"ab");
  Press('A', true);
  ASSERT_TRUE(editor.selectionMode());
  Press('Z', true);
  EXPECT_EQ(Markup(), u"<a>");
  EXPECT_FALSE(editor.selectionMode());
  Press('A', true);
  editor.OnCommand(command::Redo);
  EXPECT_EQ(Markup(), u"<a><b>");
  EXPECT_FALSE(editor.selectionMode());
  for (bool mark : editor.CurrentLine().selection.marks) EXPECT_FALSE(mark);
}

// Backspace and Delete during a drag end the capture first, so the release that follows selects
// nothing more.
TEST_F(DispatchTest, BackspaceAndDeleteEndAMouseCapture) {
  for (const int32_t erase : {key::Back, key::Delete}) {
    Load({u"<a><b>"});
    editor.OnLeftButtonDown(10, 10);
    ASSERT_TRUE(editor.mouseCaptured());
    Press(erase);
    EXPECT_FALSE(editor.mouseCaptured());
    EXPECT_FALSE(host.mouseCaptured);
    const std::vector<std::string> before = host.calls;
    editor.OnLeftButtonUp(200, 60);
    EXPECT_EQ(host.calls, before);
  }
}

TEST_F(DispatchTest, ShiftBackslashIsNotTheSymbolNameKey) {
  const std::vector<std::string> before = host.calls;
  Press(key::Backslash, false, true);
  EXPECT_EQ(host.calls, before);
  EXPECT_EQ(Markup(), u"");
}

}  // namespace
}  // namespace kav
