// The two texts the Windows program derives without asking Windows: the document path from the
// command line, and the window title.
#include <gtest/gtest.h>

#include <string>

#include "app/command_line.h"
#include "app/window_title.h"

namespace kav {
namespace {

TEST(PathFromCommandLine, TakesTheWholeLineWithoutBlanksOrSurroundingQuotes) {
  EXPECT_EQ(PathFromCommandLine(u"").path, u"");
  EXPECT_EQ(PathFromCommandLine(u"   ").path, u"");
  EXPECT_EQ(PathFromCommandLine(u"C:\\a.kav").path, u"C:\\a.kav");
  EXPECT_EQ(PathFromCommandLine(u"  C:\\my files\\a b.kav \t").path, u"C:\\my files\\a b.kav");
  EXPECT_EQ(PathFromCommandLine(u"\"C:\\my files\\a.kav\"").path, u"C:\\my files\\a.kav");
  EXPECT_EQ(PathFromCommandLine(u" \" C:\\x.kav \" ").path, u"C:\\x.kav");
  // Only one surrounding pair goes; a lone quote is part of the name.
  EXPECT_EQ(PathFromCommandLine(u"\"\"a\"\"").path, u"\"a\"");
  EXPECT_EQ(PathFromCommandLine(u"\"a").path, u"\"a");
  EXPECT_EQ(PathFromCommandLine(u"\"").path, u"\"");
  EXPECT_EQ(PathFromCommandLine(u"\"\"").path, u"");
  EXPECT_TRUE(PathFromCommandLine(u"\"C:\\a.kav\"").refusal.empty());
}

TEST(PathFromCommandLine, RefusesAPathLongerThanTheDocumentPathHolds) {
  const std::u16string longest(999, u'a');
  EXPECT_EQ(PathFromCommandLine(longest).path, longest);
  EXPECT_EQ(PathFromCommandLine(u"\"" + longest + u"\"").path, longest);
  const StartupPath refused = PathFromCommandLine(longest + u"b");
  EXPECT_EQ(refused.path, u"");
  EXPECT_EQ(refused.refusal, u"The file name on the command line is too long.");
}

TEST(WindowTitle, ShowsPathAndUnsavedMark) {
  EXPECT_EQ(WindowTitle(u"", false), u"Kav v0.2");
  EXPECT_EQ(WindowTitle(u"", true), u"Kav v0.2 (*)");
  EXPECT_EQ(WindowTitle(u"C:\\a.kav", false), u"Kav v0.2 - C:\\a.kav");
  EXPECT_EQ(WindowTitle(u"C:\\a.kav", true), u"Kav v0.2 - C:\\a.kav (*)");
}

}  // namespace
}  // namespace kav
