#include "hwp/compound_file.h"

#include <gtest/gtest.h>

#include <string>

#include "base/failure.h"
#include "compound_reader.h"

namespace kav {
namespace {

using testing::ReadCompound;

std::vector<uint8_t> Pattern(size_t n, uint8_t seed) {
  std::vector<uint8_t> v(n);
  for (size_t k = 0; k < n; ++k) v[k] = static_cast<uint8_t>(seed + k * 7);
  return v;
}

TEST(CompoundFile, SmallAndLargeStreamsReadBackWithTrueSizes) {
  CompoundFileBuilder b;
  const int32_t dir = b.AddStorage(CompoundFileBuilder::kCompoundRoot, u"Folder");
  b.AddStream(CompoundFileBuilder::kCompoundRoot, u"Tiny", Pattern(1, 1));
  b.AddStream(CompoundFileBuilder::kCompoundRoot, u"Below", Pattern(4095, 2));
  b.AddStream(dir, u"AtCutoff", Pattern(4096, 3));
  b.AddStream(dir, u"Odd", Pattern(70001, 4));
  b.AddStream(dir, u"Empty", {});
  const std::vector<uint8_t> file = b.Build();
  const auto read = ReadCompound(file);
  ASSERT_EQ(read.byPath.size(), 6u);  // every entry reachable from the root
  EXPECT_EQ(read.Stream(u"Tiny"), Pattern(1, 1));
  EXPECT_EQ(read.Stream(u"Below"), Pattern(4095, 2));
  EXPECT_EQ(read.Stream(u"Folder/AtCutoff"), Pattern(4096, 3));
  EXPECT_EQ(read.Stream(u"Folder/Odd"), Pattern(70001, 4));
  EXPECT_TRUE(read.Stream(u"Folder/Empty").empty());
  // Two mini streams (1 + 64 mini sectors) make 65 x 64 bytes = 9 sectors of mini stream.
  EXPECT_EQ(read.entries[0].size, 65u * 64u);
  EXPECT_EQ(read.miniFatSectors, 1u);
}

TEST(CompoundFile, MinimalFileHoldsOnlyWhatItNeeds) {
  CompoundFileBuilder b;
  b.AddStream(CompoundFileBuilder::kCompoundRoot, u"S", {1, 2, 3});
  const std::vector<uint8_t> file = b.Build();
  // header + FAT + directory + mini FAT + one sector of mini stream
  EXPECT_EQ(file.size(), 5u * 512u);
  const auto read = ReadCompound(file);
  EXPECT_EQ(read.Stream(u"S"), (std::vector<uint8_t>{1, 2, 3}));
}

TEST(CompoundFile, SiblingTreesAreRedBlackForManySizes) {
  for (int n = 1; n <= 40; ++n) {
    CompoundFileBuilder b;
    for (int k = 0; k < n; ++k) {
      std::u16string name = u"E";
      name += char16_t(u'A' + k % 26);
      name.append(k / 26 + 1, u'x');
      b.AddStream(CompoundFileBuilder::kCompoundRoot, name, {uint8_t(k)});
    }
    const auto read = ReadCompound(b.Build());  // throws on any broken tree property
    EXPECT_EQ(read.byPath.size(), size_t(n)) << n;
  }
}

TEST(CompoundFile, ManySectorsUseDifatSectors) {
  // 110 FAT sectors describe more than 109 x 128 sectors: about 7.2 MB of stream.
  CompoundFileBuilder b;
  const std::vector<uint8_t> big = Pattern(110 * 128 * 512, 9);
  b.AddStream(CompoundFileBuilder::kCompoundRoot, u"Big", big);
  const auto read = ReadCompound(b.Build());
  EXPECT_GT(read.fatSectors, 109u);
  EXPECT_EQ(read.difatSectors, 1u);
  EXPECT_EQ(read.Stream(u"Big"), big);
}

TEST(CompoundFile, NamesSortShorterFirstThenIgnoringCase) {
  EXPECT_LT(CompareCompoundNames(u"Zz", u"aaa"), 0);
  EXPECT_EQ(CompareCompoundNames(u"DocInfo", u"DOCINFO"), 0);
  EXPECT_GT(CompareCompoundNames(u"b", u"A"), 0);
}

TEST(CompoundFile, RefusesBadNamesAndParents) {
  CompoundFileBuilder b;
  b.AddStream(CompoundFileBuilder::kCompoundRoot, u"Data", {});
  auto failure = [&](auto add) {
    try {
      add();
    } catch (const Failure& f) {
      return f.text;
    }
    return std::u16string(u"(no failure)");
  };
  EXPECT_EQ(failure([&] { b.AddStream(0, u"DATA", {}); }),
            u"Compound file: duplicate entry name \"DATA\"");
  EXPECT_EQ(failure([&] { b.AddStream(0, std::u16string(32, u'n'), {}); }),
            u"Compound file: invalid entry name \"" + std::u16string(32, u'n') + u"\"");
  EXPECT_EQ(failure([&] { b.AddStream(0, u"a/b", {}); }),
            u"Compound file: invalid entry name \"a/b\"");
  EXPECT_EQ(failure([&] { b.AddStream(1, u"child", {}); }),
            u"Compound file: the parent of an entry must be a storage");
  EXPECT_EQ(failure([&] { b.AddStream(7, u"child", {}); }),
            u"Compound file: the parent of an entry must be a storage");
  b.AddStream(0, std::u16string(31, u'n'), {});  // the longest name fits
}

}  // namespace
}  // namespace kav
