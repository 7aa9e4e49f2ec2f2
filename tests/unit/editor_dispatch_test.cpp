// Routing of keys and commands that act on the window rather than on the line.
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
  Press(112);  // F1
  Press('B', true);
  Press(key::Escape);
  Press(key::Back, true);  // Backspace with Ctrl held is not Backspace
  editor.OnCommand(12345);
  editor.OnCommand(command::StyleRed + 1 + 100);
  EXPECT_EQ(host.calls, before);
  EXPECT_EQ(HistorySize(), records);
  EXPECT_EQ(Markup(), u"<a><b>");
}

TEST_F(DispatchTest, ShiftBackslashIsNotTheSymbolNameKey) {
  const std::vector<std::string> before = host.calls;
  Press(key::Backslash, false, true);
  EXPECT_EQ(host.calls, before);
  EXPECT_EQ(Markup(), u"");
}

}  // namespace
}  // namespace kav
