// The keys and menu commands a Windows user expects beside the described ones: F1, Ctrl+Shift+Z,
// File > New (Ctrl+Shift+N) and File > Exit, driven through the scripted host.
#include "editor_harness.h"

namespace kav {
namespace {

using Lines = std::vector<std::u16string>;

class WindowCommandsTest : public EditorTest {
 protected:
  void TwoLinesFromFile() {
    host.files[u"C:\\a.kav"] = {'@', '@', '3', '\n', '@', '<', 'a', '>', '\n'};
    ASSERT_TRUE(editor.LoadDocument(u"C:\\a.kav"));
    Press(key::Return);
    Type(u"b");
    ASSERT_TRUE(editor.document().modified);
  }
  void ExpectFreshDocument() {
    EXPECT_EQ(AllMarkup(), Lines{u""});
    EXPECT_EQ(editor.document().path, u"");
    EXPECT_FALSE(editor.document().modified);
    EXPECT_EQ(HistorySize(), 0);
    EXPECT_EQ(Caret(), "root@1");  // after the empty line's placeholder, as at start-up
  }
};

TEST_F(WindowCommandsTest, F1OpensTheManualWithAndWithoutCtrl) {
  Press(key::F1);
  EXPECT_EQ(host.manualOpened, 1);
  Type(u"x");
  Press(key::F1);
  EXPECT_EQ(host.manualOpened, 2);
  EXPECT_EQ(Markup(), u"<x>");
}

TEST_F(WindowCommandsTest, CtrlShiftZRedoesWhatCtrlZUndid) {
  Type(u"xy");
  Press('Z', true);
  Press('Z', true);
  EXPECT_EQ(Markup(), u"");
  Press('Z', true, true);
  EXPECT_EQ(Markup(), u"<x>");
  Press('Y', true);
  EXPECT_EQ(Markup(), u"<x><y>");
  // Nothing left to redo: the key changes nothing.
  Press('Z', true, true);
  EXPECT_EQ(Markup(), u"<x><y>");
}

TEST_F(WindowCommandsTest, NewDocumentWithoutChangesAsksNothing) {
  host.files[u"C:\\a.kav"] = {'@', '@', '3', '\n', '@', '<', 'a', '>', '\n'};
  ASSERT_TRUE(editor.LoadDocument(u"C:\\a.kav"));
  Press('N', true, true);
  EXPECT_TRUE(host.messages.empty());
  ExpectFreshDocument();
}

TEST_F(WindowCommandsTest, NewDocumentAsksAndCancelKeepsEverything) {
  TwoLinesFromFile();
  Press('N', true, true);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, u"Current file has been modified. Save it?");
  EXPECT_EQ(AllMarkup(), (Lines{u"<a>", u"<b>"}));
  EXPECT_EQ(editor.document().path, u"C:\\a.kav");
  EXPECT_TRUE(editor.document().modified);
}

TEST_F(WindowCommandsTest, NewDocumentAfterNoDropsTheChanges) {
  TwoLinesFromFile();
  host.answers.push_back(Answer::No);
  editor.OnCommand(command::NewDocument);
  ExpectFreshDocument();
  const std::vector<uint8_t> unchanged = {'@', '@', '3', '\n', '@', '<', 'a', '>', '\n'};
  EXPECT_EQ(host.files.at(u"C:\\a.kav"), unchanged);
}

TEST_F(WindowCommandsTest, NewDocumentAfterYesSavesFirst) {
  TwoLinesFromFile();
  host.answers.push_back(Answer::Yes);
  Press('N', true, true);
  const std::vector<uint8_t> saved = {'@', '@', '3', '\n', '@', '<', 'a', '>', '\n',
                                      '@', '<', 'b', '>', '\n'};
  EXPECT_EQ(host.files.at(u"C:\\a.kav"), saved);
  ExpectFreshDocument();
}

TEST_F(WindowCommandsTest, CtrlNWithoutShiftStillAddsALine) {
  Type(u"x");
  Press('N', true);
  EXPECT_EQ(AllMarkup(), (Lines{u"<x>", u""}));
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(WindowCommandsTest, ExitAsksTheWindowToCloseAsItsCloseButtonDoes) {
  Type(u"x");
  editor.OnCommand(command::Exit);
  EXPECT_TRUE(host.closePosted);
  // The question comes with the close request the window then handles.
  EXPECT_TRUE(host.messages.empty());
  host.answers.push_back(Answer::Cancel);
  EXPECT_FALSE(editor.RequestClose());
  EXPECT_EQ(Markup(), u"<x>");
}

}  // namespace
}  // namespace kav
