#include "export/zip_writer.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "zip_reader.h"

namespace kav {
namespace {

using testing::ReadPlainZip;

std::vector<uint8_t> Text(const std::string& s) {
  return {s.begin(), s.end()};
}

TEST(ZipWriter, EntriesReadBackInOrderInThePlainForm) {
  std::vector<uint8_t> noisy(100000);
  for (size_t k = 0; k < noisy.size(); ++k)
    noisy[k] = static_cast<uint8_t>((k * 2654435761u) >> 13);
  const std::vector<ZipEntry> entries = {{"b.xml", Text("<b/>")},
                                         {"a/empty", {}},
                                         {"noise.bin", noisy},
                                         {"a/c.txt", Text(std::string(5000, 'c'))}};
  const DosDateTime stamp = MakeDosDateTime(2024, 12, 31, 23, 59, 58);
  const auto read = ReadPlainZip(WriteZip(entries, stamp));
  ASSERT_EQ(read.entries.size(), entries.size());
  for (size_t k = 0; k < entries.size(); ++k) {
    EXPECT_EQ(read.entries[k].name, entries[k].name);
    EXPECT_EQ(read.entries[k].data, entries[k].data);
    EXPECT_EQ(read.entries[k].date, stamp.date);
    EXPECT_EQ(read.entries[k].time, stamp.time);
    EXPECT_EQ(read.entries[k].flags, 0);
  }
}

TEST(ZipWriter, HasNoDataDescriptorSignature) {
  const std::vector<uint8_t> zip = WriteZip({{"x", Text("hello hello hello")}}, {});
  const std::vector<uint8_t> descriptor = {0x50, 0x4B, 0x07, 0x08};
  EXPECT_EQ(std::search(zip.begin(), zip.end(), descriptor.begin(), descriptor.end()), zip.end());
}

TEST(ZipWriter, EmptyArchiveIsJustTheEndRecord) {
  const std::vector<uint8_t> zip = WriteZip({}, {});
  EXPECT_EQ(zip.size(), 22u);
  EXPECT_TRUE(ReadPlainZip(zip).entries.empty());
}

TEST(ZipWriter, NonAsciiNamesAreMarkedUtf8) {
  const auto read = ReadPlainZip(WriteZip({{"\xEC\x88\x98\xEC\x8B\x9D.xml", Text("1")}}, {}));
  EXPECT_EQ(read.entries[0].flags, 0x0800);
}

TEST(DosDateTime, PacksFieldsAndClampsTheYear) {
  const DosDateTime t = MakeDosDateTime(2024, 3, 15, 13, 45, 31);
  EXPECT_EQ(t.date, (2024 - 1980) * 512 + 3 * 32 + 15);
  EXPECT_EQ(t.time, 13 * 2048 + 45 * 32 + 15);
  EXPECT_EQ(MakeDosDateTime(1970, 6, 1, 12, 0, 0).date, 1 * 32 + 1);
  EXPECT_EQ(MakeDosDateTime(1970, 6, 1, 12, 0, 0).time, 0);
  EXPECT_EQ(MakeDosDateTime(2200, 1, 1, 0, 0, 0).date, 127 * 512 + 12 * 32 + 31);
}

}  // namespace
}  // namespace kav
