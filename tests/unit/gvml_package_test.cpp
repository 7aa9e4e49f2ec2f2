#include "export/gvml_package.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "base/failure.h"
#include "export/gvml_parts.h"
#include "zip_reader.h"

namespace kav {
namespace {

using testing::ReadPlainZip;

std::string AsText(const std::vector<uint8_t>& bytes) {
  return {bytes.begin(), bytes.end()};
}

size_t Occurrences(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

TEST(GvmlPackage, PixelsBecomeEmuWithoutOverflow) {
  EXPECT_EQ(PixelsToEmu(153), 1274320);
  EXPECT_EQ(PixelsToEmu(33), 274853);
  EXPECT_EQ(PixelsToEmu(0), 0);
  EXPECT_EQ(PixelsToEmu(1), 8328);
  EXPECT_EQ(PixelsToEmu(INT_MAX), int64_t{INT_MAX} * 1274320 / 153);
  EXPECT_THROW(PixelsToEmu(-1), Failure);
}

TEST(GvmlPackage, FixedPartsHaveTheirKnownLengths) {
  EXPECT_EQ(GvmlContentTypesXml().size(), 542u);
  EXPECT_EQ(GvmlPackageRelsXml().size(), 306u);
  EXPECT_EQ(GvmlDrawingRelsXml().size(), 292u);
  EXPECT_EQ(GvmlDrawingTail().size(), 181u);
  EXPECT_EQ(GvmlThemeXml().size(), 6683u);
  // The head with the drawing's template size (1274320 x 274320 EMU) is 3,845 bytes.
  EXPECT_EQ(GvmlDrawingHead(1274320, 274320).size(), 3845u);
  const std::string declaration =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n";
  for (std::string_view part :
       {GvmlContentTypesXml(), GvmlPackageRelsXml(), GvmlDrawingRelsXml(), GvmlThemeXml()}) {
    EXPECT_EQ(part.substr(0, declaration.size()), declaration);
  }
  EXPECT_EQ(GvmlDrawingTail().substr(GvmlDrawingTail().size() - 2), "\r\n");
}

TEST(GvmlPackage, FiveEntriesInOrderWithTheSizeInAllSixPlaces) {
  const std::string math = "<m:r><m:t>x</m:t></m:r>";
  const DosDateTime stamp = MakeDosDateTime(2025, 5, 6, 7, 8, 10);
  const auto read = ReadPlainZip(BuildGvmlPackage(math, 153, 33, stamp));
  ASSERT_EQ(read.entries.size(), 5u);
  EXPECT_EQ(read.entries[0].name, "[Content_Types].xml");
  EXPECT_EQ(read.entries[1].name, "_rels/.rels");
  EXPECT_EQ(read.entries[2].name, "clipboard/drawings/_rels/drawing1.xml.rels");
  EXPECT_EQ(read.entries[3].name, "clipboard/drawings/drawing1.xml");
  EXPECT_EQ(read.entries[4].name, "clipboard/theme/theme1.xml");
  EXPECT_EQ(AsText(read.entries[0].data), GvmlContentTypesXml());
  EXPECT_EQ(AsText(read.entries[4].data), GvmlThemeXml());
  const std::string drawing = AsText(read.entries[3].data);
  EXPECT_EQ(drawing, GvmlDrawingHead(1274320, 274853) + math + std::string(GvmlDrawingTail()));
  EXPECT_EQ(Occurrences(drawing, "cx=\"1274320\""), 3u);
  EXPECT_EQ(Occurrences(drawing, "cy=\"274853\""), 3u);
  EXPECT_EQ(Occurrences(drawing, "x=\"5651710\" y=\"3291840\""), 2u);
  for (const auto& e : read.entries) EXPECT_EQ(e.date, stamp.date);
}

TEST(GvmlPackage, EmptyMathGivesAnEmptyMathElement) {
  const auto read = ReadPlainZip(BuildGvmlPackage("", 0, 0, {}));
  const std::string drawing = AsText(read.entries[3].data);
  EXPECT_NE(drawing.find("2006/math\"></m:oMath></m:oMathPara>"), std::string::npos);
  EXPECT_EQ(Occurrences(drawing, "cx=\"0\" cy=\"0\""), 3u);
}

TEST(GvmlPackage, LevelStylesStepByHalfAnInch) {
  const std::string head = GvmlDrawingHead(1, 1);
  EXPECT_NE(head.find("<a:lvl1pPr marL=\"0\" algn=\"l\""), std::string::npos);
  EXPECT_NE(head.find("<a:lvl5pPr marL=\"1828800\" algn=\"l\""), std::string::npos);
  EXPECT_NE(head.find("<a:lvl9pPr marL=\"3657600\" algn=\"l\""), std::string::npos);
  EXPECT_EQ(
      Occurrences(head,
                  "defTabSz=\"914400\" rtl=\"0\" eaLnBrk=\"1\" latinLnBrk=\"1\" hangingPunct=\"1\">"
                  "<a:defRPr sz=\"1800\" kern=\"1200\"><a:solidFill><a:schemeClr val=\"tx1\"/>"),
      9u);
}

}  // namespace
}  // namespace kav
