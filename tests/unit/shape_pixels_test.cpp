#include "export/shape_pixels.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <fstream>
#include <iterator>
#include <string>

#include "export/convert_text.h"
#include "native/native_typesetting.h"
#include "native/shape_raster.h"

namespace kav {
namespace {

constexpr Rgb kBlack{0, 0, 0};

Outline Polygon(std::initializer_list<OutlinePoint> points) {
  Outline outline;
  for (const OutlinePoint p : points) {
    if (outline.Empty()) {
      outline.MoveTo(p);
    } else {
      outline.LineTo(p);
    }
  }
  outline.Close();
  return outline;
}

// Appends another outline's contours, as a glyph with several contours has them.
Outline Joined(Outline a, const Outline& b) {
  a.verbs.insert(a.verbs.end(), b.verbs.begin(), b.verbs.end());
  a.points.insert(a.points.end(), b.points.begin(), b.points.end());
  return a;
}

std::vector<int> Alphas(const Outline& outline, int32_t width, int32_t height, int32_t scale) {
  const VectorPicture picture{{0, 0, width, height}, {{kBlack, outline}}};
  const std::vector<uint8_t> rgba = ShapePixels(picture, scale, true, {255, 255, 255});
  std::vector<int> alphas;
  for (size_t i = 3; i < rgba.size(); i += 4) alphas.push_back(rgba[i]);
  return alphas;
}

// Each pixel is covered by the share of its square that lies inside, by the non-zero rule: a
// contour turning the other way cuts a hole, one turning the same way does not.
TEST(ShapePixels, CoverageIsTheAreaInsideEachPixel) {
  const Outline square = Polygon({{0, 0}, {3, 0}, {3, 3}, {0, 3}});
  struct Case {
    const char* name;
    Outline outline;
    std::array<int32_t, 3> grid;  // width, height and scale
    std::vector<int> alphas;
  };
  const Outline hole = Polygon({{1, 1}, {1, 2}, {2, 2}, {2, 1}});
  const Outline inner = Polygon({{1, 1}, {2, 1}, {2, 2}, {1, 2}});
  const Case cases[] = {
      {"fractional edges",
       Polygon({{0.5, 0}, {2.25, 0}, {2.25, 1}, {0.5, 1}}),
       {3, 1, 1},
       {128, 255, 64}},
      {"diagonal", Polygon({{0, 0}, {2, 0}, {0, 2}}), {2, 2, 1}, {255, 128, 128, 0}},
      {"scaled", Polygon({{0.5, 0}, {1, 0}, {1, 0.75}, {0.5, 0.75}}), {1, 1, 2}, {0, 255, 0, 128}},
      {"hole", Joined(square, hole), {3, 3, 1}, {255, 255, 255, 255, 0, 255, 255, 255, 255}},
      {"overlap", Joined(square, inner), {3, 3, 1}, std::vector<int>(9, 255)},
      {"beyond the picture",
       Polygon({{-5, -5}, {1.5, -5}, {1.5, 9}, {-5, 9}}),
       {2, 1, 1},
       {255, 128}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Alphas(c.outline, c.grid[0], c.grid[1], c.grid[2]), c.alphas) << c.name;
  }
}

// A circle of centre (c, c) and radius r from four cubic quarters.
Outline Circle(double c, double r) {
  constexpr double k = 0.5522847498;  // the control points' reach for a quarter circle
  Outline circle;
  circle.MoveTo({c + r, c});
  for (int32_t quarter = 0; quarter < 4; ++quarter) {
    const double a = quarter * M_PI / 2, b = a + M_PI / 2;
    const OutlinePoint from{c + r * std::cos(a), c + r * std::sin(a)};
    const OutlinePoint to{c + r * std::cos(b), c + r * std::sin(b)};
    circle.CubicTo({from.x - k * r * std::sin(a), from.y + k * r * std::cos(a)},
                   {to.x + k * r * std::sin(b), to.y - k * r * std::cos(b)}, to);
  }
  circle.Close();
  return circle;
}

// Curves cover their area: pieces flattened finely, nothing counted twice where they meet.
TEST(ShapePixels, CurvesCoverTheirArea) {
  constexpr double r = 10, c = 12;
  const Outline circle = Circle(c, r);
  Outline diamond;  // the same reach with quadratic sides bowed outward
  diamond.MoveTo({c + r, c});
  diamond.QuadTo({c + r, c + r}, {c, c + r});
  diamond.LineTo({c, c - r});
  diamond.Close();
  double circleArea = 0, halfArea = 0;
  for (const int alpha : Alphas(circle, 24, 24, 1)) circleArea += alpha / 255.0;
  for (const int alpha : Alphas(diamond, 24, 24, 1)) halfArea += alpha / 255.0;
  EXPECT_NEAR(circleArea, M_PI * r * r, 2 * M_PI * r * 0.02);  // chords stray by 0.02 at most
  EXPECT_NEAR(halfArea, r * r + r * r / 3, 0.5);               // triangle plus parabolic segment
}

// Ink over a transparent background keeps its colour and takes the coverage as alpha; over
// white it mixes, and a later shape lies over an earlier one.
TEST(ShapePixels, ShapesAreLaidOverEachOtherInOrder) {
  const Outline half = Polygon({{0, 0}, {0.5, 0}, {0.5, 1}, {0, 1}});
  const Outline whole = Polygon({{1, 0}, {2, 0}, {2, 1}, {1, 1}});
  const VectorPicture picture{{0, 0, 2, 1},
                              {{{255, 0, 0}, half},
                               {{255, 0, 0}, whole},
                               {kBlack, Polygon({{1.5, 0}, {2, 0}, {2, 1}, {1.5, 1}})}}};
  EXPECT_EQ(ShapePixels(picture, 1, true, {255, 255, 255}),
            (std::vector<uint8_t>{255, 0, 0, 128, 127, 0, 0, 255}));
  EXPECT_EQ(ShapePixels(picture, 1, false, {255, 255, 255}),
            (std::vector<uint8_t>{255, 127, 127, 255, 127, 0, 0, 255}));
}

// Weighted Jaccard index of two pictures' alpha: the sum of the smaller over the sum of the
// larger. A glyph one pixel off drops it to about a half.
double Jaccard(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
  double least = 0, most = 0;
  for (size_t k = 3; k < a.size() && k < b.size(); k += 4) {
    least += std::min(a[k], b[k]);
    most += std::max(a[k], b[k]);
  }
  return most == 0 ? 1 : least / most;
}

// The converter fills shapes with FreeType's rasterizer, the Windows program with this one.
// Straight edges come out alike to a few levels, self-crossing ones too.
TEST(ShapePixels, PolygonsMatchFreeTypesRasterizer) {
  const ShapeRaster freetype;
  uint32_t seed = 12345;
  const auto random = [&] {
    seed = seed * 1103515245 + 12345;
    return ((seed >> 8) & 0xFFFF) / 65536.0 * 20;
  };
  for (int32_t shape = 0; shape < 200; ++shape) {
    Outline outline;
    outline.MoveTo({random(), random()});
    for (int32_t side = 0; side < 5; ++side) outline.LineTo({random(), random()});
    outline.Close();
    const VectorPicture picture{{0, 0, 20, 20}, {{kBlack, outline}}};
    const std::vector<uint8_t> ours = ShapePixels(picture, 1, true, kWindowColour);
    const std::vector<uint8_t> theirs = freetype.Draw(picture, 1, true, kWindowColour).pixels;
    for (size_t k = 3; k < ours.size(); k += 4) {
      ASSERT_NEAR(ours[k], theirs[k], 6) << "shape " << shape << " pixel " << k / 4;
    }
  }
}

std::vector<std::u16string> DocumentLines(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  return DocumentMarkups(bytes);
}

// Every line of the sample document and the benchmark corpus comes out alike from both at the
// clipboard's two scales. FreeType flattens curves more coarsely (it loses a circle's area
// three times faster than this rasterizer), which shows most at scale 1, where a curve spans a
// few pixels.
TEST(ShapePixels, LinesMatchFreeTypesRasterizer) {
  const NativeTypesetting typesetting;
  const ShapeRaster freetype;
  for (const char* name : {"examples/all-symbols.kav", "bench/corpus.kav"}) {
    const std::vector<std::u16string> lines =
        DocumentLines(std::string(KAV_TEST_DATA) + "/../../" + name);
    ASSERT_GT(lines.size(), 15u) << name;
    for (size_t i = 0; i < lines.size(); ++i) {
      const VectorPicture picture =
          typesetting.Vector(EquationLine(lines[i], &typesetting.Layouter()));
      for (const auto& [scale, bound] : {std::pair{1, 0.96}, std::pair{4, 0.985}}) {
        const std::vector<uint8_t> ours = ShapePixels(picture, scale, true, kWindowColour);
        const RgbaImage theirs = freetype.Draw(picture, scale, true, kWindowColour);
        ASSERT_EQ(ours.size(), theirs.pixels.size());
        EXPECT_GE(Jaccard(ours, theirs.pixels), bound) << name << ":" << i + 1 << " x" << scale;
      }
    }
  }
}

}  // namespace
}  // namespace kav
