#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/failure.h"
#include "base/utf.h"
#include "model/document_file.h"
#include "tree_shape.h"

namespace kav {
namespace {

std::string BytesOf(const std::vector<std::u16string>& markups) {
  const std::vector<uint8_t> bytes = DocumentBytes(markups);
  return std::string(bytes.begin(), bytes.end());
}

std::vector<std::u16string> MarkupsOf(std::string_view bytes) {
  std::vector<std::u16string> markups;
  for (const EquationLine& line : ReadDocumentLines(bytes, nullptr)) markups.push_back(line.markup);
  return markups;
}

std::u16string LoadError(std::string_view bytes) {
  try {
    ReadDocumentLines(bytes, nullptr);
  } catch (const Failure& failure) {
    return failure.text;
  }
  return u"(none)";
}

using Lines = std::vector<std::u16string>;

TEST(DocumentFile, WritesHeaderAndOneAtLinePerLine) {
  EXPECT_EQ(BytesOf({u"<x>\\super{<2>}", u""}), "@@3\n@<x>\\super{<2>}\n@\n");
  EXPECT_EQ(BytesOf({u""}), std::string("\x40\x40\x33\x0a\x40\x0a"));
  EXPECT_EQ(BytesOf({}), "@@3\n");
  EXPECT_EQ(BytesOf({u"<\u00e9>"}), "@@3\n@<\xc3\xa9>\n");
}

TEST(DocumentFile, ReadsBackWhatItWrote) {
  const Lines lines = {u"<x>\\super{<2>}<+>\\frac{<alpha|rm>}{<beta>}", u"", u"\\red<a|hat>"};
  const std::string bytes = BytesOf(lines);
  EXPECT_EQ(MarkupsOf(bytes), lines);
  const std::vector<EquationLine> read = ReadDocumentLines(bytes, nullptr);
  EXPECT_EQ(Shape(read[0].tree), "[ x super [ 2 ] + frac [ #945:1 ] [ #946 ] ]");
  EXPECT_EQ(Shape(read[1].tree), "[ _ ]");
}

TEST(DocumentFile, HeaderIsOptionalAndItsVersionIgnored) {
  EXPECT_EQ(MarkupsOf("@<a>\n@<b>\n"), (Lines{u"<a>", u"<b>"}));
  EXPECT_EQ(MarkupsOf("@@@7\n@<a>\n"), (Lines{u"<a>"}));
  EXPECT_EQ(MarkupsOf("@@12345\n@<a>\n"), (Lines{u"<a>"}));
  EXPECT_EQ(MarkupsOf("@@\n@<a>\n"), (Lines{u"<a>"}));
}

TEST(DocumentFile, BlankLinesBetweenLinesAreAllowed) {
  EXPECT_EQ(MarkupsOf("@@3\n\n@<a>\n\n  \n\t\r\n@<b>\n\n"), (Lines{u"<a>", u"<b>"}));
  // Only the first "@" of a line starts it; the others belong to its markup.
  EXPECT_EQ(LoadError("@@3\n@@<a>\n"), u"Unexpected char (line 1)");
}

// Whatever is not a formula line would be lost by the next save, so such a file is refused,
// naming the first line that is not one by its place in the file.
TEST(DocumentFile, AFileWithOtherLinesIsNotADocument) {
  const struct {
    std::string_view bytes;
    std::u16string_view error;
  } kCases[] = {
      {"x^2 + y^2 = r^2\n", u"Not a Kav document: line 1 of the file is not a formula line: "
                            u"\"x^2 + y^2 = r^2\""},
      {"@@3\n@<a>\nnotes\n@<b>\n", u"Not a Kav document: line 3 of the file is not a formula "
                                  u"line: \"notes\""},
      {"@@3\n\n  # more\r\n", u"Not a Kav document: line 3 of the file is not a formula line: "
                             u"\"  # more\""},
      // Not a header, so a formula line, whose markup starts with "@".
      {"@@3 Kav\n@<a>\n", u"Unexpected char (line 1)"},
      {"\\documentclass{article}\\usepackage{amsmath}\\begin{document}\n",
       u"Not a Kav document: line 1 of the file is not a formula line: "
       u"\"\\documentclass{article}\\usepackage{amsma...\""},
      {std::string_view("@@3\n@<a>\n\0@<b>\n@<c>\n", 19),
       u"Not a Kav document: line 3 of the file holds a NUL byte"},
      {std::string_view("@<a>\0\n", 6), u"Not a Kav document: line 1 of the file holds a NUL byte"},
      {std::string_view("@<a>\n\0", 6), u"Not a Kav document: line 2 of the file holds a NUL byte"},
  };
  for (const auto& c : kCases) EXPECT_EQ(LoadError(c.bytes), c.error) << c.bytes;
}

// A line may hold four megabytes; one character more is refused before it is parsed.
TEST(DocumentFile, ALineLongerThanTheLimitIsRefused) {
  std::u16string longest;  // "@" and this markup fill the limit exactly
  for (size_t i = 0; i < (kMaxFileLineUnits - 1) / 3; ++i) longest += u"<a>";
  ASSERT_EQ(longest.size() + 1, kMaxFileLineUnits);
  const std::string bytes = "@@3\n@<b>\n@" + EncodeUtf8(longest) + "\r\n";
  EXPECT_EQ(MarkupsOf(bytes), (Lines{u"<b>", longest}));
  EXPECT_EQ(LoadError("@@3\n@<b>\n@<a>" + EncodeUtf8(longest) + "\n"),
            u"Not opened: line 3 of the file is longer than 4194304 characters, the most a line "
            u"may hold");
}

TEST(DocumentFile, LastLineMayLackItsLineFeed) {
  EXPECT_EQ(MarkupsOf("@@3\n@<a>\n@<b>"), (Lines{u"<a>", u"<b>"}));
  EXPECT_EQ(MarkupsOf("@@3\n@<a>\n@"), (Lines{u"<a>", u""}));
}

TEST(DocumentFile, AFileWithoutLinesGivesOneEmptyLine) {
  for (std::string_view bytes : {std::string_view(""), std::string_view("@@3\n"),
                                 std::string_view("@@3"), std::string_view("\n  \r\n"),
                                 std::string_view("@@3\n\n")}) {
    const std::vector<EquationLine> lines = ReadDocumentLines(bytes, nullptr);
    ASSERT_EQ(lines.size(), 1u) << bytes;
    EXPECT_EQ(lines[0].markup, u"");
    EXPECT_EQ(Shape(lines[0].tree), "[ _ ]");
  }
}

TEST(DocumentFile, RejectedLinesNameTheirLineNumber) {
  EXPECT_EQ(LoadError("@@3\n@<a>\n@<b>\r\r\n"), u"Unexpected char (line 2)");
  EXPECT_EQ(LoadError("@@3\n@<a>\n\n@<b>\n@\\frac{<a>}\n"), u"Expected { (line 3)");
  EXPECT_EQ(LoadError("@@3\n@<ab>\n"), u"Unknown letter  (line 1)");
}

// What Windows editors write: CR LF line ends, a byte order mark, or both.
TEST(DocumentFile, WindowsLineEndsAndByteOrderMarkAreRead) {
  const Lines expected = {u"<a>", u"", u"\\frac{<b>}{<c>}"};
  for (std::string_view bytes : {"@@3\r\n@<a>\r\n@\r\n@\\frac{<b>}{<c>}\r\n",
                                 "@@3\r\n@<a>\r\n@\r\n@\\frac{<b>}{<c>}\r",
                                 "@@3\n@<a>\r\n@\n@\\frac{<b>}{<c>}",
                                 "\xef\xbb\xbf@@3\n@<a>\n@\n@\\frac{<b>}{<c>}\n",
                                 "\xef\xbb\xbf@@3\r\n@<a>\r\n@\r\n@\\frac{<b>}{<c>}\r\n",
                                 "\xef\xbb\xbf@<a>\r\n \r\n@\r\n@\\frac{<b>}{<c>}\r\n"}) {
    EXPECT_EQ(MarkupsOf(bytes), expected) << bytes;
  }
  // Saving writes the format's own bytes again: line feeds only, no mark.
  EXPECT_EQ(BytesOf(MarkupsOf("\xef\xbb\xbf@@3\r\n@<a>\r\n@\r\n")), "@@3\n@<a>\n@\n");
}

// Only one carriage return right before a line end is part of it, and only a leading mark is
// skipped; anywhere else they stay in the markup, which refuses them.
TEST(DocumentFile, OtherCarriageReturnsAndMarksAreRejected) {
  EXPECT_EQ(LoadError("@@3\r@<a>\r@<b>\r"), u"Unexpected char (line 1)");
  EXPECT_EQ(LoadError("@@3\n@<a>\r<b>\n"), u"Unexpected char (line 1)");
  EXPECT_EQ(LoadError("@@3\r\n@\r<a>\r\n"), u"Unexpected char (line 1)");
  EXPECT_EQ(LoadError("@@3\n@<a>\n@\xef\xbb\xbf<b>\n"), u"Unexpected char (line 2)");
  // A second mark hides the header.
  EXPECT_EQ(LoadError("\xef\xbb\xbf\xef\xbb\xbf@@3\n@<a>\n"),
            u"Not a Kav document: line 1 of the file is not a formula line: \"\ufeff@@3\"");
  // A UTF-16 file is not UTF-8 at all.
  EXPECT_EQ(LoadError("\xff\xfe@\0@\0"), u"Invalid UTF-8 at byte 0");
}

TEST(DocumentFile, InvalidUtf8IsRejectedWithItsOffset) {
  EXPECT_EQ(LoadError("@@3\n@<a>\n@<\xc0\xae>\n"), u"Invalid UTF-8 at byte 11");
  EXPECT_EQ(LoadError("@@3\n@<\xed\xa0\x80>\n"), u"Invalid UTF-8 at byte 6");
  EXPECT_EQ(LoadError("@@3\n@<a>\xe2\x89"), u"Invalid UTF-8 at byte 8");
  EXPECT_EQ(LoadError("@\xf4\x90\x80\x80"), u"Invalid UTF-8 at byte 1");
  EXPECT_EQ(LoadError("\xff@@3\n"), u"Invalid UTF-8 at byte 0");
}

TEST(DocumentFile, ValidNonAsciiIsDecodedThenJudgedByTheReader) {
  EXPECT_EQ(LoadError("@@3\n@<\xce\xb1>\n"), u"Unknown letter  (line 1)");
  EXPECT_EQ(SplitDocumentText(DecodeDocumentBytes("@<\xce\xb1>")), (Lines{u"<\u03b1>"}));
}

TEST(DocumentFile, TenThousandLines) {
  Lines lines;
  for (int i = 0; i < 10000; ++i) lines.push_back(i % 2 ? u"<x>\\super{<2>}" : u"");
  const std::string bytes = BytesOf(lines);
  EXPECT_EQ(bytes.size(), 4 + 5000 * 2 + 5000 * 16u);
  const std::vector<EquationLine> read = ReadDocumentLines(bytes, nullptr);
  ASSERT_EQ(read.size(), 10000u);
  EXPECT_EQ(read[9999].markup, u"<x>\\super{<2>}");
  EXPECT_EQ(Shape(read[9999].tree), "[ x super [ 2 ] ]");
}

}  // namespace
}  // namespace kav
