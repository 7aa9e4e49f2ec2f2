#include "hwp/hwp_document.h"

#include <gtest/gtest.h>

#include <map>

#include "base/failure.h"
#include "compound_reader.h"
#include "hwp/hwp_doc_info.h"
#include "hwp/hwp_section.h"
#include "inflate_helper.h"

namespace kav {
namespace {

using testing::Inflate;
using testing::ReadCompound;

struct Record {
  uint32_t tag = 0;
  uint32_t level = 0;
  std::vector<uint8_t> data;
};

// Splits a record stream, failing the test if a record runs past the end.
std::vector<Record> Records(const std::vector<uint8_t>& s) {
  std::vector<Record> out;
  size_t at = 0;
  while (at < s.size()) {
    EXPECT_LE(at + 4, s.size());
    const uint32_t h = s[at] | (s[at + 1] << 8) | (s[at + 2] << 16) | (uint32_t(s[at + 3]) << 24);
    at += 4;
    uint32_t size = h >> 20;
    if (size == 0xFFF) {
      size = s[at] | (s[at + 1] << 8) | (s[at + 2] << 16) | (uint32_t(s[at + 3]) << 24);
      at += 4;
    }
    EXPECT_LE(at + size, s.size());
    if (at + size > s.size()) break;
    out.push_back({h & 0x3FF, (h >> 10) & 0x3FF, {s.begin() + at, s.begin() + at + size}});
    at += size;
  }
  return out;
}

std::vector<uint8_t> Inflated(const std::vector<uint8_t>& stream) {
  const auto result = Inflate(stream);
  EXPECT_TRUE(result.complete);
  EXPECT_EQ(result.unused, 0u);  // nothing after the deflate data
  return result.data;
}

TEST(HwpDocument, HoldsEveryStreamAtItsTrueSize) {
  const std::u16string script = u"{1} over {x}";
  const std::vector<uint8_t> doc = BuildHwpDocument(script);
  const auto read = ReadCompound(doc);
  for (const char16_t* path :
       {u"FileHeader", u"DocInfo", u"BodyText/Section0", u"\u0005HwpSummaryInformation", u"PrvText",
        u"PrvImage", u"DocOptions/_LinkDoc", u"Scripts/DefaultJScript",
        u"Scripts/JScriptVersion"}) {
    EXPECT_EQ(read.byPath.count(path), 1u)
        << std::string(path, path + std::char_traits<char16_t>::length(path));
  }
  EXPECT_EQ(read.byPath.size(), 12u);  // the nine streams and three storages
  EXPECT_EQ(Inflated(read.Stream(u"BodyText/Section0")), BuildSectionRecords(script));
  EXPECT_EQ(Inflated(read.Stream(u"DocInfo")), BuildDocInfoRecords());
  EXPECT_EQ(read.Stream(u"PrvText"), (std::vector<uint8_t>{'\r', 0, '\n', 0}));
  EXPECT_EQ(read.Stream(u"DocOptions/_LinkDoc"), std::vector<uint8_t>(524, 0));
  EXPECT_EQ(Inflated(read.Stream(u"Scripts/JScriptVersion")),
            (std::vector<uint8_t>{1, 0, 0, 0, 0, 0, 0, 0}));
  std::vector<uint8_t> noScript(16, 0);
  noScript.insert(noScript.end(), 4, 0xFF);
  EXPECT_EQ(Inflated(read.Stream(u"Scripts/DefaultJScript")), noScript);
  // A formula's streams are all below the cutoff, so all of them live in the mini stream.
  for (const auto& e : read.entries) EXPECT_LT(e.size, 4096u);
  EXPECT_LE(doc.size(), 12u * 512u);
}

TEST(HwpDocument, FileHeaderAnnouncesCompressedVersion5101) {
  const std::vector<uint8_t> h = BuildHwpFileHeader();
  ASSERT_EQ(h.size(), 256u);
  EXPECT_EQ(std::string(h.begin(), h.begin() + 17), "HWP Document File");
  EXPECT_EQ(std::vector<uint8_t>(h.begin() + 17, h.begin() + 32), std::vector<uint8_t>(15, 0));
  EXPECT_EQ(std::vector<uint8_t>(h.begin() + 32, h.begin() + 48),
            (std::vector<uint8_t>{0x01, 0x00, 0x01, 0x05, 1, 0, 0, 0, 0, 0, 0, 0, 4, 0, 0, 0}));
  EXPECT_EQ(std::vector<uint8_t>(h.begin() + 48, h.end()), std::vector<uint8_t>(208, 0));
}

TEST(HwpDocument, LongScriptMovesTheSectionOutOfTheMiniStream) {
  std::u16string script;
  uint32_t seed = 12345;
  while (script.size() < kMaxEquationScriptUnits) {  // letters that do not compress away
    seed = seed * 1103515245 + 12345;
    script.push_back(char16_t(u'a' + (seed >> 16) % 26));
  }
  const auto read = ReadCompound(BuildHwpDocument(script));
  const std::vector<uint8_t>& section = read.Stream(u"BodyText/Section0");
  EXPECT_GE(section.size(), 4096u);
  EXPECT_EQ(Inflated(section), BuildSectionRecords(script));
}

TEST(HwpDocument, TooLongScriptIsRefusedWithoutADocument) {
  EXPECT_THROW(BuildHwpDocument(std::u16string(kMaxEquationScriptUnits + 1, u'x')), Failure);
}

TEST(HwpDocInfo, DefinesWhatTheBodyRefersTo) {
  const std::vector<Record> records = Records(BuildDocInfoRecords());
  std::map<uint32_t, std::vector<const Record*>> byTag;
  for (const Record& r : records) byTag[r.tag].push_back(&r);
  ASSERT_EQ(byTag[16].size(), 1u);
  EXPECT_EQ(byTag[16][0]->data.size(), 26u);
  EXPECT_EQ(byTag[16][0]->data[0], 1);  // one section
  ASSERT_EQ(byTag[17].size(), 1u);
  const std::vector<uint8_t>& ids = byTag[17][0]->data;
  ASSERT_EQ(ids.size(), 72u);
  auto count = [&](int k) { return ids[4 * k] | (ids[4 * k + 1] << 8); };
  int faces = 0;
  for (int k = 1; k <= 7; ++k) faces += count(k);
  EXPECT_EQ(size_t(faces), byTag[19].size());
  EXPECT_EQ(size_t(count(8)), byTag[20].size());   // border fills, so fill 1 exists
  EXPECT_EQ(size_t(count(9)), byTag[21].size());   // character shapes, so shape 0 exists
  EXPECT_EQ(size_t(count(10)), byTag[22].size());  // tab definitions
  EXPECT_EQ(size_t(count(13)), byTag[25].size());  // paragraph shapes, so shape 0 exists
  EXPECT_EQ(size_t(count(14)), byTag[26].size());  // styles, so style 0 exists
  EXPECT_GE(byTag[20].size(), 1u);
  EXPECT_GE(byTag[21].size(), 1u);
  EXPECT_GE(byTag[25].size(), 1u);
  EXPECT_EQ(byTag[26].size(), 1u);
  for (const Record* r : byTag[21]) EXPECT_EQ(r->data.size(), 74u);
  for (const Record* r : byTag[25]) EXPECT_EQ(r->data.size(), 54u);
  for (const Record& r : records) {
    const bool top = r.tag == 16 || r.tag == 17 || r.tag == 30;
    EXPECT_EQ(r.level, top ? 0u : 1u) << r.tag;
  }
}

}  // namespace
}  // namespace kav
