// Loading files into the editor: what is read from odd but acceptable files, and that a file
// which is rejected leaves the open document, its path, its history and its caret untouched.
#include "edit/editor_title.h"
#include "editor_harness.h"

namespace kav {
namespace {

using Lines = std::vector<std::u16string>;

constexpr char16_t kOld[] = u"C:\\old.kav";
constexpr char16_t kNew[] = u"C:\\new.kav";

class DocumentLoadTest : public EditorTest {
 protected:
  // Puts these bytes into the new file and opens it.
  bool Open(std::string_view bytes) {
    host.files[kNew] = std::vector<uint8_t>(bytes.begin(), bytes.end());
    return editor.LoadDocument(kNew);
  }
  Lines Loaded(std::string_view bytes) {
    EXPECT_TRUE(Open(bytes)) << EncodeUtf8(host.statusText);
    EXPECT_EQ(editor.document().path, kNew);
    EXPECT_FALSE(editor.document().modified);
    return AllMarkup();
  }
  // An edited two-line document with a history, then a file that must be refused: the refusal
  // is the status text, and every part of the document is as before.
  std::u16string Refused(std::string_view bytes) {
    host.files[kOld] = {'@', '@', '3', '\n', '@', '<', 'a', '>', '\n', '@', '\n'};
    EXPECT_TRUE(editor.LoadDocument(kOld));
    Type(u"xy");
    const Lines lines = AllMarkup();
    const std::string caret = Caret();
    const int32_t history = HistorySize();
    const std::u16string title = WindowTitle(editor);
    EXPECT_FALSE(Open(bytes));
    const std::u16string refusal = host.statusText;
    EXPECT_EQ(AllMarkup(), lines);
    EXPECT_EQ(Caret(), caret);
    EXPECT_EQ(Current(), 1);
    EXPECT_EQ(HistorySize(), history);
    EXPECT_EQ(WindowTitle(editor), title);
    EXPECT_EQ(title, u"Kav v0.2 - C:\\old.kav (*)");
    Press('Z', true);  // the history still undoes the typing
    EXPECT_EQ(AllMarkup(), (Lines{u"<a>", u"<x>"}));
    return refusal;
  }
};

TEST_F(DocumentLoadTest, TheHeaderIsOptionalAndItsVersionIgnored) {
  EXPECT_EQ(Loaded("@<a>\n@<b>\n"), (Lines{u"<a>", u"<b>"}));
  EXPECT_EQ(Loaded("@@@7\n@<a>\n"), (Lines{u"<a>"}));
}

TEST_F(DocumentLoadTest, BlankLinesAreAllowedAndTheLastLineMayLackItsLineFeed) {
  EXPECT_EQ(Loaded("@@3\n\n@<a>\n\n \n@<b>"), (Lines{u"<a>", u"<b>"}));
  EXPECT_EQ(Loaded("@@3\n@<a>\n@"), (Lines{u"<a>", u""}));
}

TEST_F(DocumentLoadTest, AFileWithoutLinesOpensAsOneEmptyLine) {
  for (std::string_view bytes : {std::string_view(""), std::string_view("@@3\n")}) {
    EXPECT_EQ(Loaded(bytes), (Lines{u""}));
    EXPECT_EQ(Current(), 0);
    EXPECT_EQ(Caret(), "root@1");  // after the placeholder of the empty root
  }
}

// Files that are not documents, which a save would have replaced by what little was read of them.
TEST_F(DocumentLoadTest, AFileThatIsNotADocumentIsRefused) {
  EXPECT_EQ(Refused("x^2 + y^2 = r^2\n"),
            u"Not a Kav document: line 1 of the file is not a formula line: \"x^2 + y^2 = r^2\"");
  EXPECT_EQ(Refused(std::string_view("@@3\n@<a>\n\0@<b>\n@<c>\n", 19)),
            u"Not a Kav document: line 3 of the file holds a NUL byte");
  EXPECT_EQ(Refused("@@3\n@<a>\nb = 2\n"),
            u"Not a Kav document: line 3 of the file is not a formula line: \"b = 2\"");
}

// As Notepad saves it: saving it again writes the format's bytes, line feeds only and no mark.
TEST_F(DocumentLoadTest, AFileFromAWindowsEditorOpensAndSavesInTheFormat) {
  EXPECT_EQ(Loaded("\xef\xbb\xbf@@3\r\n@<a>\r\n@\\sqrt{<b>}\r\n@\r\n"),
            (Lines{u"<a>", u"\\sqrt{<b>}", u""}));
  ASSERT_TRUE(editor.SaveDocumentTo(u"C:\\copy.kav"));
  const std::string written = "@@3\n@<a>\n@\\sqrt{<b>}\n@\n";
  EXPECT_EQ(host.files.at(u"C:\\copy.kav"), std::vector<uint8_t>(written.begin(), written.end()));
}

TEST_F(DocumentLoadTest, AStrayCarriageReturnIsRefused) {
  EXPECT_EQ(Refused("@@3\r@<a>\r@<b>\r"), u"Unexpected char (line 1)");
}

TEST_F(DocumentLoadTest, InvalidUtf8IsRefused) {
  EXPECT_EQ(Refused("@@3\n@<a>\n@<\xff>\n"), u"Invalid UTF-8 at byte 11");
  EXPECT_EQ(Refused("@@3\n@<\xc3>\n"), u"Invalid UTF-8 at byte 6");
}

TEST_F(DocumentLoadTest, ARejectedLineIsNamedAndNothingOfTheFileIsKept) {
  EXPECT_EQ(Refused("@@3\n@<a>\n@<b>\n@<c\n@<d>\n"), u"Expected > (line 3)");
}

TEST_F(DocumentLoadTest, TenThousandLinesLoadAndSaveBackTheSameBytes) {
  std::string bytes = "@@3\n";
  for (int i = 0; i < 10000; ++i) bytes += i % 2 ? "@<x>\\super{<2>}\n" : "@<a><+><b>\n";
  EXPECT_EQ(Loaded(bytes).size(), 10000u);
  EXPECT_EQ(Current(), 9999);
  EXPECT_EQ(Markup(), u"<x>\\super{<2>}");
  ASSERT_TRUE(editor.SaveDocumentTo(u"C:\\copy.kav"));
  EXPECT_EQ(host.files.at(u"C:\\copy.kav"), std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

}  // namespace
}  // namespace kav
