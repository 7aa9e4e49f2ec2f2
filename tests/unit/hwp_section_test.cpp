#include "hwp/hwp_section.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "base/failure.h"

namespace kav {
namespace {

std::vector<uint8_t> Hex(const std::string& text) {
  std::istringstream in(text);
  std::vector<uint8_t> bytes;
  std::string token;
  while (in >> token) bytes.push_back(static_cast<uint8_t>(std::stoul(token, nullptr, 16)));
  return bytes;
}

// The section's fixed records up to the equation record's extended size, each header and its
// data as the word processor's own one-equation documents hold them.
const std::vector<uint8_t>& FixedRecords() {
  static const std::vector<uint8_t> bytes = Hex(
      // paragraph header
      "42 00 80 01  19 00 00 80 04 08 00 00 00 00 00 03 01 00 00 00 00 00 00 00 00 00 00 00"
      // paragraph text: secd, cold, eqed, paragraph end
      " 43 04 20 03  02 00 64 63 65 73 00 00 00 00 00 00 00 00 02 00"
      " 02 00 64 6C 6F 63 00 00 00 00 00 00 00 00 02 00"
      " 0B 00 64 65 71 65 00 00 00 00 00 00 00 00 0B 00 0D 00"
      // paragraph character shapes
      " 44 04 80 00  00 00 00 00 00 00 00 00"
      // section definition
      " 47 04 F0 02  64 63 65 73 00 00 00 00 6E 04 00 00 00 00 40 1F"
      " 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
      "00"
      // page definition
      " 49 08 80 02  88 E8 00 00 DC 48 01 00 38 21 00 00 38 21 00 00 24 16 00 00 9C 10 00 00"
      " 9C 10 00 00 9C 10 00 00 00 00 00 00 00 00 00 00"
      // footnote and endnote shapes
      " 4A 08 C0 01  00 00 00 00 00 00 00 00 29 00 01 00 FF FF FF FF 52 03 37 02 1B 01 01 01 00 00 "
      "00 00"
      " 4A 08 C0 01  00 00 00 00 00 00 00 00 29 00 01 00 FC FF FF FF 52 03 37 02 00 00 01 01 00 00 "
      "00 00"
      // page border fills: both, even, odd pages
      " 4B 08 E0 00  01 00 00 00 89 05 89 05 89 05 89 05 01 00"
      " 4B 08 E0 00  01 00 00 00 89 05 89 05 89 05 89 05 01 00"
      " 4B 08 E0 00  01 00 00 00 89 05 89 05 89 05 89 05 01 00"
      // column definition
      " 47 04 00 01  64 6C 6F 63 04 10 00 00 00 00 00 00 00 00 00 00"
      // equation object
      " 47 04 A0 03  64 65 71 65 11 23 2A 1C 00 00 00 00 00 00 00 00 26 78 16 00 B0 04 00 00"
      " 00 00 00 00 38 00 38 00 00 00 00 00 83 B0 C2 65 00 00 00 00 06 00 18 C2 DD C2 85 C7 C8 B2"
      " E4 B2 2E 00"
      // equation record header (extended size follows)
      " 58 08 F0 FF");
  return bytes;
}

uint32_t U32At(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (uint32_t(b[at + 3]) << 24);
}

TEST(HwpSection, FixedRecordsMatchTheWordProcessorsBytes) {
  const std::vector<uint8_t> records = BuildSectionRecords(u"x");
  ASSERT_EQ(FixedRecords().size(), 393u);
  ASSERT_GE(records.size(), 393u);
  EXPECT_EQ(std::vector<uint8_t>(records.begin(), records.begin() + 393), FixedRecords());
}

TEST(HwpSection, EquationRecordCarriesScriptAndItsTrueLength) {
  const std::u16string script = u"{a} over {b}";
  const size_t l = script.size();
  const std::vector<uint8_t> records = BuildSectionRecords(script);
  ASSERT_EQ(records.size(), 471 + 2 * l);
  EXPECT_EQ(U32At(records, 393), 74 + 2 * l);  // extended size: the data that follows
  EXPECT_EQ(records.size() - 397, 74 + 2 * l);
  EXPECT_EQ(U32At(records, 397), 0u);  // attributes
  EXPECT_EQ(records[401] | (records[402] << 8), int(l));
  std::u16string stored;
  for (size_t k = 0; k < l; ++k)
    stored.push_back(char16_t(records[403 + 2 * k] | (records[404 + 2 * k] << 8)));
  EXPECT_EQ(stored, script);
  const std::vector<uint8_t> tail(records.begin() + 403 + 2 * l, records.end());
  std::vector<uint8_t> expected = Hex("B0 04 00 00 00 00 00 00 56 00 00 00 13 00");
  for (char c : std::string("Equation Version 60"))
    expected.insert(expected.end(), {uint8_t(c), 0});
  expected.insert(expected.end(), {7, 0});
  for (char c : std::string("HYhwpEQ")) expected.insert(expected.end(), {uint8_t(c), 0});
  EXPECT_EQ(tail, expected);
  EXPECT_EQ(tail.size(), 68u);
}

TEST(HwpSection, EmptyScriptGivesTheShortestStream) {
  const std::vector<uint8_t> records = BuildSectionRecords(u"");
  EXPECT_EQ(records.size(), 471u);
  EXPECT_EQ(U32At(records, 393), 74u);
}

TEST(HwpSection, LongestScriptFitsAndOneMoreIsRefused) {
  const std::u16string longest(kMaxEquationScriptUnits, u'x');
  const std::vector<uint8_t> records = BuildSectionRecords(longest);
  EXPECT_EQ(records.size(), 471 + 2 * longest.size());
  EXPECT_EQ(records[401] | (records[402] << 8), 65535);
  EXPECT_EQ(U32At(records, 393), 74 + 2 * 65535u);
  try {
    BuildSectionRecords(longest + u"x");
    FAIL() << "a 65,536-unit script was accepted";
  } catch (const Failure& f) {
    EXPECT_EQ(f.text,
              u"Hwp:: The equation is too long for an HWP document (65,535 characters at most)");
  }
}

}  // namespace
}  // namespace kav
