#include "export/emf_writer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "base/failure.h"

namespace kav {
namespace {

uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
  uint32_t v = 0;
  std::memcpy(&v, &b[at], 4);
  return v;
}
int32_t I32(const std::vector<uint8_t>& b, size_t at) {
  return static_cast<int32_t>(U32(b, at));
}

struct Record {
  uint32_t type;
  size_t at;
  uint32_t size;
};

// Walks the records by their sizes; every size is a positive multiple of four inside the file.
std::vector<Record> Records(const std::vector<uint8_t>& bytes) {
  std::vector<Record> records;
  for (size_t at = 0; at < bytes.size();) {
    const uint32_t size = U32(bytes, at + 4);
    EXPECT_TRUE(size >= 8 && size % 4 == 0 && at + size <= bytes.size()) << at;
    if (size < 8 || at + size > bytes.size()) break;
    records.push_back({U32(bytes, at), at, size});
    at += size;
  }
  return records;
}

VectorPicture TwoColourPicture() {
  VectorPicture picture;
  picture.frame = {-2, -2, 98, 38};  // 100 x 40 pixels
  Outline square;
  square.MoveTo({0, 0});
  square.LineTo({10, 0});
  square.LineTo({10, 10});
  square.Close();
  Outline curve;
  curve.MoveTo({20, 20});
  curve.QuadTo({23, 14}, {26, 20});
  curve.CubicTo({27, 22}, {28, 22}, {29.5, 20.25});
  curve.Close();
  picture.shapes = {{kBlack, square}, {kBlack, curve}, {kRed, square}};
  return picture;
}

TEST(EmfWriterTest, HeaderStatesBoundsFrameSizeAndCountsExactly) {
  const std::vector<uint8_t> emf = WriteEmf(TwoColourPicture());
  const std::vector<Record> records = Records(emf);
  ASSERT_GE(records.size(), 3u);
  EXPECT_EQ(records.front().type, 1u);
  EXPECT_EQ(records.front().size, 108u);
  EXPECT_EQ(I32(emf, 8), 0);  // bounds: the picture's pixels, inclusive
  EXPECT_EQ(I32(emf, 12), 0);
  EXPECT_EQ(I32(emf, 16), 99);
  EXPECT_EQ(I32(emf, 20), 39);
  EXPECT_EQ(I32(emf, 32), 2646);  // frame: 100 px at 96 dpi is 26.458 mm
  EXPECT_EQ(I32(emf, 36), 1058);
  EXPECT_EQ(U32(emf, 40), 0x464D4520u);
  EXPECT_EQ(U32(emf, 48), emf.size());
  EXPECT_EQ(U32(emf, 52), records.size());
  EXPECT_EQ(emf[56], 2);  // handles: the metafile's own and one brush
  EXPECT_EQ(records.back().type, 14u);
  EXPECT_EQ(records.back().size, 20u);
  EXPECT_EQ(records.back().at + 20, emf.size());
}

TEST(EmfWriterTest, EachShapeIsAFilledPathWithABrushOfItsColour) {
  const std::vector<uint8_t> emf = WriteEmf(TwoColourPicture());
  std::map<uint32_t, int> counts;
  std::vector<uint32_t> brushColours;
  std::vector<std::pair<int32_t, int32_t>> moves;
  for (const Record& r : Records(emf)) {
    ++counts[r.type];
    if (r.type == 39) brushColours.push_back(U32(emf, r.at + 16));
    if (r.type == 27) moves.push_back({I32(emf, r.at + 8), I32(emf, r.at + 12)});
    if (r.type == 5) {
      EXPECT_EQ(U32(emf, r.at + 24) % 3, 0u);  // whole Bezier pieces
    }
  }
  EXPECT_EQ(counts[59], 3);  // BeginPath
  EXPECT_EQ(counts[60], 3);  // EndPath
  EXPECT_EQ(counts[62], 3);  // FillPath
  EXPECT_EQ(counts[61], 3);  // CloseFigure
  EXPECT_EQ(counts[5], 1);   // the quadratic and the cubic piece in one PolyBezierTo
  EXPECT_EQ(brushColours, (std::vector<uint32_t>{0x000000, 0x0000ff}));
  EXPECT_EQ(counts[40], 2);  // each brush deleted after use
  // Sixteenths of a pixel, moved by the frame's corner.
  EXPECT_EQ(moves.front(), std::make_pair(2 * 16, 2 * 16));
  EXPECT_EQ(moves[1], std::make_pair(22 * 16, 22 * 16));
}

TEST(EmfWriterTest, AnEmptyFrameIsRefused) {
  VectorPicture picture;
  EXPECT_THROW(WriteEmf(picture), Failure);
}

}  // namespace
}  // namespace kav
