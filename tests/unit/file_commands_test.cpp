// Open, save, save as, the unsaved-changes and overwrite questions, drops, the close request and
// the start-up open, driven through the scripted host.
#include <functional>

#include "edit/editor_title.h"
#include "editor_harness.h"

namespace kav {
namespace {

using Lines = std::vector<std::u16string>;

std::vector<uint8_t> Bytes(std::string_view text) {
  return std::vector<uint8_t>(text.begin(), text.end());
}

constexpr char16_t kFirst[] = u"C:\\docs\\first.kav";
constexpr char16_t kSecond[] = u"C:\\docs\\second.kav";
constexpr char16_t kThird[] = u"C:\\docs\\third.kav";

class FileCommandsTest : public EditorTest {
 protected:
  void SetUp() override {
    host.files[kFirst] = Bytes("@@3\n@<a>\n");
    host.files[kSecond] = Bytes("@@3\n@<b>\n@<c>\n");
    host.files[kThird] = Bytes("@@3\n@<d>\n");
  }
  std::string FileText(const std::u16string& path) {
    const std::vector<uint8_t>& bytes = host.files.at(path);
    return std::string(bytes.begin(), bytes.end());
  }
  // The first file open and edited, so that replacing it asks first.
  void OpenFirstAndEdit() {
    ASSERT_TRUE(editor.LoadDocument(kFirst));
    Type(u"x");
    ASSERT_TRUE(editor.document().modified);
  }
  int32_t Questions() { return host.CountCalls("YesNoCancel"); }
  std::u16string Title() { return WindowTitle(editor); }
};

TEST_F(FileCommandsTest, SaveOfAnUntitledDocumentAsksForANameThenWritesTheFormat) {
  Type(u"ab");
  Press(key::Return);
  Type(u"x");
  EXPECT_EQ(Title(), u"Kav v0.2 (*)");
  host.savePaths.push_back(u"C:\\docs\\new.kav");
  Press('S', true);
  EXPECT_EQ(host.CountCalls("ChooseSavePath"), 1);
  EXPECT_EQ(FileText(u"C:\\docs\\new.kav"), "@@3\n@<a><b>\n@<x>\n");
  EXPECT_EQ(Title(), u"Kav v0.2 - C:\\docs\\new.kav");
  // With a path, Save writes there without a dialog; Save as always asks.
  Type(u"y");
  EXPECT_EQ(Title(), u"Kav v0.2 - C:\\docs\\new.kav (*)");
  editor.OnCommand(command::Save);
  EXPECT_EQ(host.CountCalls("ChooseSavePath"), 1);
  EXPECT_EQ(FileText(u"C:\\docs\\new.kav"), "@@3\n@<a><b>\n@<x><y>\n");
  host.savePaths.push_back(u"C:\\docs\\copy.kav");
  Press('S', true, true);
  EXPECT_EQ(host.CountCalls("ChooseSavePath"), 2);
  EXPECT_EQ(FileText(u"C:\\docs\\copy.kav"), "@@3\n@<a><b>\n@<x><y>\n");
  EXPECT_EQ(editor.document().path, u"C:\\docs\\copy.kav");
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(FileCommandsTest, OneEmptyLineIsSixBytes) {
  EXPECT_TRUE(editor.SaveDocumentTo(u"C:\\empty.kav"));
  EXPECT_EQ(host.files.at(u"C:\\empty.kav"),
            (std::vector<uint8_t>{0x40, 0x40, 0x33, 0x0A, 0x40, 0x0A}));
}

TEST_F(FileCommandsTest, YesSavesToThePathThenOpens) {
  OpenFirstAndEdit();
  host.answers.push_back(Answer::Yes);
  host.openPaths.push_back(std::u16string(kSecond));
  Press('O', true);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].kind, "YesNoCancel");
  EXPECT_EQ(host.messages[0].text, u"Current file has been modified. Save it?");
  EXPECT_EQ(host.messages[0].caption, u"Notification");
  EXPECT_EQ(FileText(kFirst), "@@3\n@<a><x>\n");
  EXPECT_EQ(AllMarkup(), (Lines{u"<b>", u"<c>"}));
  EXPECT_EQ(Title(), u"Kav v0.2 - C:\\docs\\second.kav");
}

TEST_F(FileCommandsTest, NoDiscardsTheChangesAndOpens) {
  OpenFirstAndEdit();
  host.answers.push_back(Answer::No);
  host.openPaths.push_back(std::u16string(kSecond));
  editor.OnCommand(command::Open);
  EXPECT_EQ(FileText(kFirst), "@@3\n@<a>\n");
  EXPECT_EQ(AllMarkup(), (Lines{u"<b>", u"<c>"}));
  EXPECT_FALSE(editor.document().modified);
}

TEST_F(FileCommandsTest, CancelStopsBeforeTheDialog) {
  OpenFirstAndEdit();
  host.answers.push_back(Answer::Cancel);
  host.openPaths.push_back(std::u16string(kSecond));
  editor.OnCommand(command::Open);
  EXPECT_EQ(host.CountCalls("ChooseOpenPath"), 0);
  EXPECT_EQ(AllMarkup(), (Lines{u"<a><x>"}));
  EXPECT_EQ(Title(), u"Kav v0.2 - C:\\docs\\first.kav (*)");
}

// Yes on an untitled document asks for a name; cancelling that dialog cancels whatever asked.
TEST_F(FileCommandsTest, UntitledYesThenCancelledSaveDialogCancelsOpenDropAndClose) {
  Type(u"q");
  host.answers = {Answer::Yes, Answer::Yes, Answer::Yes};
  host.openPaths.push_back(std::u16string(kSecond));
  editor.OnCommand(command::Open);
  EXPECT_EQ(host.CountCalls("ChooseOpenPath"), 0);
  editor.DropFiles({kSecond});
  EXPECT_FALSE(editor.RequestClose());
  EXPECT_EQ(Questions(), 3);
  EXPECT_EQ(host.CountCalls("ChooseSavePath (cancelled)"), 3);
  EXPECT_EQ(host.CountCalls("ReadFile"), 0);
  EXPECT_EQ(AllMarkup(), (Lines{u"<q>"}));
  EXPECT_TRUE(editor.document().modified);
  EXPECT_TRUE(editor.document().path.empty());
}

TEST_F(FileCommandsTest, OverwriteNoCancelsTheSaveAndWhatAskedForIt) {
  Type(u"q");
  host.savePaths.push_back(std::u16string(kThird));
  host.answers.push_back(Answer::No);
  EXPECT_FALSE(editor.SaveDocumentAs());
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].kind, "YesNo");
  EXPECT_EQ(host.messages[0].text, u"The file already exists. Do you want to overwrite it?");
  EXPECT_EQ(host.messages[0].caption, u"Notification");
  EXPECT_EQ(FileText(kThird), "@@3\n@<d>\n");
  EXPECT_TRUE(editor.document().path.empty());

  // Inside the question before a close: Yes, a name that exists, No to overwriting.
  host.answers = {Answer::Yes, Answer::No};
  host.savePaths.push_back(std::u16string(kThird));
  EXPECT_FALSE(editor.RequestClose());
  EXPECT_EQ(FileText(kThird), "@@3\n@<d>\n");

  host.answers = {Answer::Yes};
  host.savePaths.push_back(std::u16string(kThird));
  EXPECT_TRUE(editor.SaveDocumentAs());
  EXPECT_EQ(FileText(kThird), "@@3\n@<q>\n");
}

TEST_F(FileCommandsTest, AFailedSaveShowsTheErrorAndTurnsIntoCancel) {
  OpenFirstAndEdit();
  host.unwritable.push_back(kFirst);
  host.answers.push_back(Answer::Yes);
  host.openPaths.push_back(std::u16string(kSecond));
  Press('O', true);
  ASSERT_EQ(host.messages.size(), 2u);
  EXPECT_EQ(host.messages[1].kind, "Error");
  EXPECT_EQ(host.messages[1].text, u"Failed to save file.");
  EXPECT_EQ(host.messages[1].caption, u"Error");
  EXPECT_EQ(host.CountCalls("ChooseOpenPath"), 0);
  EXPECT_EQ(FileText(kFirst), "@@3\n@<a>\n");  // the old file, byte for byte
  EXPECT_EQ(AllMarkup(), (Lines{u"<a><x>"}));
  EXPECT_TRUE(editor.document().modified);

  host.answers.push_back(Answer::Yes);
  EXPECT_FALSE(editor.RequestClose());
  Press('S', true);  // the Save command reports through the box and goes on
  EXPECT_EQ(host.CountCalls("Error"), 3);
  EXPECT_EQ(FileText(kFirst), "@@3\n@<a>\n");
}

// A save as that fails keeps the document's own path: the title never names a file that was not
// written.
TEST_F(FileCommandsTest, AFailedSaveAsKeepsThePath) {
  OpenFirstAndEdit();
  host.unwritable.push_back(u"C:\\locked\\a.kav");
  host.savePaths.push_back(u"C:\\locked\\a.kav");
  EXPECT_FALSE(editor.SaveDocumentAs());
  EXPECT_EQ(editor.document().path, kFirst);
  EXPECT_EQ(host.files.count(u"C:\\locked\\a.kav"), 0u);
}

TEST_F(FileCommandsTest, ADocumentOfOneEmptyLineIsReplacedWithoutAQuestion) {
  Type(u"a");
  Press(key::Back);
  ASSERT_TRUE(editor.document().modified);
  ASSERT_EQ(AllMarkup(), (Lines{u""}));
  host.openPaths.push_back(std::u16string(kSecond));
  editor.OpenDocument();
  EXPECT_EQ(Questions(), 0);
  EXPECT_EQ(AllMarkup(), (Lines{u"<b>", u"<c>"}));
}

TEST_F(FileCommandsTest, ADropOfThreeFilesOpensTheFirst) {
  OpenFirstAndEdit();
  host.answers.push_back(Answer::No);
  editor.DropFiles({kSecond, kThird, kFirst});
  EXPECT_EQ(Questions(), 1);
  EXPECT_EQ(host.CountCalls("ReadFile"), 2);  // the first load, and the first dropped file
  EXPECT_EQ(AllMarkup(), (Lines{u"<b>", u"<c>"}));
  EXPECT_EQ(Title(), u"Kav v0.2 - C:\\docs\\second.kav");
  editor.DropFiles({});
  EXPECT_EQ(host.CountCalls("ReadFile"), 2);
}

TEST_F(FileCommandsTest, CloseAsksOnlyWhenThereAreChanges) {
  EXPECT_TRUE(editor.RequestClose());
  OpenFirstAndEdit();
  host.answers = {Answer::Cancel, Answer::No};
  EXPECT_FALSE(editor.RequestClose());
  EXPECT_TRUE(editor.RequestClose());
  EXPECT_EQ(Questions(), 2);
  EXPECT_EQ(FileText(kFirst), "@@3\n@<a>\n");
}

TEST_F(FileCommandsTest, ASuccessfulOpenStartsAfresh) {
  Type(u"ab");
  Press(key::Return);
  Type(u"c");
  host.openPaths.push_back(std::u16string(kSecond));
  host.answers.push_back(Answer::No);
  editor.OpenDocument();
  EXPECT_EQ(Current(), 1);  // the last line
  EXPECT_EQ(Caret(), "root@1");
  EXPECT_EQ(HistorySize(), 0);
  EXPECT_FALSE(editor.selectionMode());
  EXPECT_FALSE(editor.document().modified);
  Press('Z', true);
  EXPECT_EQ(AllMarkup(), (Lines{u"<b>", u"<c>"}));
}

TEST_F(FileCommandsTest, AFileThatCannotBeReadChangesNothing) {
  OpenFirstAndEdit();
  host.answers.push_back(Answer::No);
  host.openPaths.push_back(u"C:\\docs\\missing.kav");
  editor.OpenDocument();
  EXPECT_EQ(host.statusText, u"Cannot open file: C:\\docs\\missing.kav");
  EXPECT_EQ(AllMarkup(), (Lines{u"<a><x>"}));
  EXPECT_EQ(Title(), u"Kav v0.2 - C:\\docs\\first.kav (*)");
  // A cancelled dialog reads nothing.
  const int32_t reads = host.CountCalls("ReadFile");
  host.answers.push_back(Answer::No);
  editor.OpenDocument();
  EXPECT_EQ(host.CountCalls("ReadFile"), reads);
}

TEST_F(FileCommandsTest, StartUpOpensTheNamedDocument) {
  editor.OpenStartupDocument(u"");
  EXPECT_EQ(host.CountCalls("ReadFile"), 0);
  editor.OpenStartupDocument(kSecond);
  EXPECT_EQ(AllMarkup(), (Lines{u"<b>", u"<c>"}));
  EXPECT_EQ(Title(), u"Kav v0.2 - C:\\docs\\second.kav");
  EXPECT_EQ(Questions(), 0);
}

TEST_F(FileCommandsTest, NamesTooLongForThePathAreRefusedNotCut) {
  const std::u16string longName = u"C:\\" + std::u16string(997, u'n');  // 1000 units
  const std::u16string longest = u"C:\\" + std::u16string(996, u'n');   // 999 units
  host.files[longName] = Bytes("@@3\n@<z>\n");
  host.files[longest] = Bytes("@@3\n@<y>\n");
  OpenFirstAndEdit();
  editor.OpenStartupDocument(longName);
  EXPECT_EQ(host.statusText, u"The file name on the command line is too long.");
  editor.DropFiles({longName});
  EXPECT_EQ(host.statusText, u"The dropped file name is too long.");
  host.openPaths.push_back(longName);
  host.answers.push_back(Answer::No);
  editor.OpenDocument();
  EXPECT_EQ(host.statusText, u"The chosen file name is too long.");
  host.savePaths.push_back(longName);
  EXPECT_FALSE(editor.SaveDocumentAs());
  EXPECT_EQ(Questions(), 1);  // only the open asked, before its dialog
  EXPECT_EQ(AllMarkup(), (Lines{u"<a><x>"}));
  EXPECT_EQ(editor.document().path, kFirst);
  host.answers.push_back(Answer::No);
  editor.DropFiles({longest});
  EXPECT_EQ(AllMarkup(), (Lines{u"<y>"}));
  EXPECT_EQ(editor.document().path, longest);
}

// A text file is not adopted, however it comes: the open document, its path, title and unsaved
// changes stay, and the next Save writes them to their own file, not over the text file.
TEST_F(FileCommandsTest, AFileThatIsNotADocumentIsRefusedHoweverItComes) {
  constexpr char16_t kTex[] = u"C:\\docs\\circle.tex";
  host.files[kTex] = Bytes("x^2 + y^2 = r^2\n");
  const std::function<void()> ways[] = {
      [&] {
        host.answers.push_back(Answer::No);
        host.openPaths.push_back(std::u16string(kTex));
        Press('O', true);
      },
      [&] {
        host.answers.push_back(Answer::No);
        editor.DropFiles({kTex});
      },
      [&] { editor.OpenStartupDocument(kTex); },
  };
  OpenFirstAndEdit();
  for (const std::function<void()>& way : ways) {
    way();
    EXPECT_EQ(host.statusText,
              u"Not a Kav document: line 1 of the file is not a formula line: \"x^2 + y^2 = r^2\"");
    EXPECT_EQ(AllMarkup(), (Lines{u"<a><x>"}));
    EXPECT_EQ(Title(), u"Kav v0.2 - C:\\docs\\first.kav (*)");
  }
  Press('S', true);
  EXPECT_EQ(FileText(kTex), "x^2 + y^2 = r^2\n");
  EXPECT_EQ(FileText(kFirst), "@@3\n@<a><x>\n");
}

TEST_F(FileCommandsTest, ASuccessfulSaveSaysSoWithTheFileName) {
  OpenFirstAndEdit();
  Press('S', true);
  EXPECT_EQ(host.statusText, u"Saved first.kav");
  host.savePaths.push_back(u"C:\\docs\\copy of first.kav");
  Press('S', true, true);
  EXPECT_EQ(host.statusText, u"Saved copy of first.kav");
  host.unwritable.push_back(u"C:\\docs\\copy of first.kav");
  host.statusText.clear();
  Press('S', true);
  EXPECT_EQ(host.statusText, u"");  // a failure has its box instead
  EXPECT_EQ(host.CountCalls("Error"), 1);
}

// Another program wrote the file since it was opened or saved here: Save asks before replacing
// it, and No keeps both the other program's bytes and the unsaved document.
TEST_F(FileCommandsTest, SaveAsksBeforeReplacingWhatAnotherProgramWrote) {
  const std::u16string question = u"first.kav has been changed by another program since it was "
                                  u"opened or saved. Replace it with this document?";
  OpenFirstAndEdit();
  host.WriteByAnotherProgram(kFirst, "@@3\n@<z>\n");
  host.answers = {Answer::No};
  Press('S', true);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].kind, "YesNo");
  EXPECT_EQ(host.messages[0].text, question);
  EXPECT_EQ(host.messages[0].caption, u"Notification");
  EXPECT_EQ(FileText(kFirst), "@@3\n@<z>\n");
  EXPECT_TRUE(editor.document().modified);
  // The question before a close turns No into staying open.
  host.answers = {Answer::Yes, Answer::No};
  EXPECT_FALSE(editor.RequestClose());
  EXPECT_EQ(FileText(kFirst), "@@3\n@<z>\n");

  host.answers = {Answer::Yes};
  Press('S', true);
  EXPECT_EQ(FileText(kFirst), "@@3\n@<a><x>\n");
  EXPECT_FALSE(editor.document().modified);
  // Its own save is no other program's: the next one does not ask.
  Type(u"y");
  Press('S', true);
  EXPECT_EQ(FileText(kFirst), "@@3\n@<a><x><y>\n");
  EXPECT_EQ(host.CountCalls("YesNo "), 3);
}

// A read-only file is not replaced: Save says so and offers to save under another name.
TEST_F(FileCommandsTest, AReadOnlyFileIsNotReplaced) {
  const std::u16string offer =
      u"first.kav is read-only and was not replaced. Save the document under another name?";
  OpenFirstAndEdit();
  host.readOnly.push_back(kFirst);
  host.answers = {Answer::No};
  Press('S', true);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].kind, "YesNo");
  EXPECT_EQ(host.messages[0].text, offer);
  EXPECT_EQ(host.CountCalls("WriteFile"), 0);
  EXPECT_TRUE(editor.document().modified);
  // Save as onto it, after Yes to overwriting, is refused the same way.
  host.answers = {Answer::Yes, Answer::No};
  host.savePaths.push_back(std::u16string(kFirst));
  EXPECT_FALSE(editor.SaveDocumentAs());
  EXPECT_EQ(host.messages.back().text, offer);

  host.answers = {Answer::Yes};
  host.savePaths.push_back(u"C:\\docs\\mine.kav");
  Press('S', true);
  EXPECT_EQ(FileText(kFirst), "@@3\n@<a>\n");
  EXPECT_EQ(FileText(u"C:\\docs\\mine.kav"), "@@3\n@<a><x>\n");
  EXPECT_EQ(Title(), u"Kav v0.2 - C:\\docs\\mine.kav");
  EXPECT_EQ(host.CountCalls("Error"), 0);
}

}  // namespace
}  // namespace kav
