#include "typeset/picture_frame.h"

#include <gtest/gtest.h>

#include <vector>

namespace kav {
namespace {

constexpr int32_t m = kPictureMargin;

TEST(PictureFrameTest, CoversTheRootAndTheInkWithAnEvenMargin) {
  struct Case {
    const char* what;
    PixelRect ink;  // root coordinates, root 30 x 20
    PixelRect frame;
  };
  const Case cases[] = {
      {"no ink", {}, {-m, -m, 30 + m, 20 + m}},
      {"ink inside the root", {3, 4, 20, 18}, {-m, -m, 30 + m, 20 + m}},
      {"a tail left and below", {-4, 2, 12, 25}, {-4 - m, -m, 30 + m, 25 + m}},
      {"a final digit past the right", {25, 0, 33, 20}, {-m, -m, 33 + m, 20 + m}},
      {"an accent above", {10, -6, 18, 3}, {-m, -6 - m, 30 + m, 20 + m}},
      {"ink all around", {-1, -2, 31, 23}, {-1 - m, -2 - m, 31 + m, 23 + m}},
  };
  for (const Case& c : cases) EXPECT_EQ(PictureFrame(30, 20, c.ink), c.frame) << c.what;
}

// A drawing whose ink lies at `ink` in root coordinates, seen on surfaces of growing room.
struct FakeDrawing {
  PixelRect ink;
  std::vector<int32_t> rooms;
  PixelRect operator()(int32_t room) {
    rooms.push_back(room);
    const PixelRect surface{0, 0, 30 + 2 * room, 20 + 2 * room};
    const PixelRect seen = ink.Moved(room, room);
    return {std::max(seen.left, surface.left), std::max(seen.top, surface.top),
            std::min(seen.right, surface.right), std::min(seen.bottom, surface.bottom)};
  }
};

TEST(PictureFrameTest, FrameIsGivenInTheSurfaceOfTheLastDrawing) {
  FakeDrawing drawing{{-5, 0, 30, 22}, {}};
  const PixelRect frame = FindPictureFrame(30, 20, std::ref(drawing));
  EXPECT_EQ(drawing.rooms, std::vector<int32_t>{kInkSearchRoom});
  EXPECT_EQ(frame, PixelRect({-5 - m, -m, 30 + m, 22 + m}).Moved(kInkSearchRoom, kInkSearchRoom));
}

TEST(PictureFrameTest, RoomGrowsWhileInkReachesTheSurfaceEdge) {
  FakeDrawing drawing{{-100, 0, 30, 20}, {}};
  const PixelRect frame = FindPictureFrame(30, 20, std::ref(drawing));
  const int32_t r = 4 * kInkSearchRoom;
  EXPECT_EQ(drawing.rooms, (std::vector<int32_t>{kInkSearchRoom, 2 * kInkSearchRoom, r}));
  EXPECT_EQ(frame, PixelRect({-100 - m, -m, 30 + m, 20 + m}).Moved(r, r));
}

TEST(PictureFrameTest, RunawayInkStopsAtTheLargestSurface) {
  FakeDrawing drawing{{-100000, 0, 30, 20}, {}};
  const PixelRect frame = FindPictureFrame(30, 20, std::ref(drawing));
  ASSERT_FALSE(drawing.rooms.empty());
  const int32_t r = drawing.rooms.back();
  EXPECT_EQ(r, 16 * kInkSearchRoom);
  EXPECT_EQ(frame, (PixelRect{0, r - m, 30 + r + m, r + 20 + m}));
}

}  // namespace
}  // namespace kav
