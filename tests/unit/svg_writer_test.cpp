#include "export/svg_writer.h"

#include <gtest/gtest.h>

namespace kav {
namespace {

TEST(SvgWriterTest, OnePathPerShapeInItsColourPlacedInTheFrame) {
  VectorPicture picture;
  picture.frame = {-2, -3, 18, 12};
  Outline triangle;
  triangle.MoveTo({0, 0});
  triangle.LineTo({10.004, 0});
  triangle.QuadTo({5, -1.5}, {0.333, 4});
  triangle.Close();
  Outline curve;
  curve.MoveTo({-2, -3});
  curve.CubicTo({1, 1}, {2, 2}, {3.1, 3});
  curve.Close();
  picture.shapes = {{kRed, triangle}, {Rgb{0, 0x80, 0x0f}, curve}};
  EXPECT_EQ(WriteSvg(picture),
            "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"20\" "
            "height=\"15\" viewBox=\"0 0 20 15\">\n"
            "<path fill=\"#ff0000\" d=\"M2 3L12 3Q7 1.5 2.33 7Z\"/>\n"
            "<path fill=\"#00800f\" d=\"M0 0C3 4 4 5 5.1 6Z\"/>\n"
            "</svg>\n");
}

TEST(SvgWriterTest, AnEmptyPictureIsAnEmptyDocument) {
  VectorPicture picture;
  picture.frame = {0, 0, 4, 4};
  EXPECT_EQ(WriteSvg(picture),
            "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"4\" height=\"4\" "
            "viewBox=\"0 0 4 4\">\n</svg>\n");
}

}  // namespace
}  // namespace kav
