// A line drawn as a bitmap (the screen, Copy's bitmap, kav-convert --to png) and drawn from
// outlines (SVG, EMF, Copy picture, --scale) lays down the same ink: every solid pixel of either
// has ink of the other at most one pixel away. Hinted bitmaps and exact outlines may differ by
// an edge pixel; a glyph or accent standing anywhere else is a fault.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "export/shape_pixels.h"
#include "native/native_typesetting.h"
#include "symbol_names.h"

namespace kav {
namespace {

// Coverage from 0 to 255 per pixel over a rectangle in the root box's coordinates.
struct InkMask {
  PixelRect frame;
  std::vector<uint8_t> coverage;

  int32_t At(int32_t x, int32_t y) const {
    if (x < frame.left || y < frame.top || x >= frame.right || y >= frame.bottom) return 0;
    return coverage[static_cast<size_t>(y - frame.top) * frame.Width() + (x - frame.left)];
  }
};

// A pixel at least half covered is solid; any trace at all counts as ink nearby.
constexpr int32_t kSolid = 128;
constexpr int32_t kTrace = 1;

class PicturePathsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { typesetting = new NativeTypesetting(); }
  static void TearDownTestSuite() { delete typesetting; }

  // On the window colour, a pixel's ink is how far its palest channel fell: black, red and green
  // ink alike.
  static InkMask BitmapMask(const EquationLine& line) {
    const NativeTypesetting::Framed picture = typesetting->FramedPicture(line);
    InkMask mask{picture.frame, {}};
    const std::vector<uint8_t>& p = picture.image.pixels;
    for (size_t i = 0; i < p.size(); i += 4) {
      mask.coverage.push_back(static_cast<uint8_t>(255 - std::min({p[i], p[i + 1], p[i + 2]})));
    }
    return mask;
  }

  // Filled at scale 1 by the rasterizer the Windows program uses, on a transparent background.
  static InkMask OutlineMask(const EquationLine& line) {
    const VectorPicture picture = typesetting->Vector(line);
    const std::vector<uint8_t> rgba = ShapePixels(picture, 1, true, kWindowColour);
    InkMask mask{picture.frame, {}};
    for (size_t i = 3; i < rgba.size(); i += 4) mask.coverage.push_back(rgba[i]);
    return mask;
  }

  static bool InkNear(const InkMask& mask, int32_t x, int32_t y) {
    for (int32_t dy = -1; dy <= 1; ++dy) {
      for (int32_t dx = -1; dx <= 1; ++dx) {
        if (mask.At(x + dx, y + dy) >= kTrace) return true;
      }
    }
    return false;
  }

  // The solid pixels of `from` with no ink of `to` within a pixel, counted, the first one named.
  static std::string Strays(const char* what, const InkMask& from, const InkMask& to) {
    int32_t solid = 0, count = 0;
    std::string first;
    for (int32_t y = from.frame.top; y < from.frame.bottom; ++y) {
      for (int32_t x = from.frame.left; x < from.frame.right; ++x) {
        if (from.At(x, y) < kSolid) continue;
        ++solid;
        if (InkNear(to, x, y)) continue;
        if (count++ == 0) first = " at (" + std::to_string(x) + ", " + std::to_string(y) + ")";
      }
    }
    if (solid == 0) return std::string(" no solid ") + what + " pixel;";
    if (count == 0) return "";
    return " " + std::to_string(count) + " solid " + what + " pixel(s) with no ink near" + first +
           ";";
  }

  // Empty when both paths agree on `markup`; otherwise what differs.
  static std::string Disagreement(const std::u16string& markup) {
    const EquationLine line(markup, &typesetting->Layouter());
    const InkMask bitmap = BitmapMask(line), outline = OutlineMask(line);
    return Strays("bitmap", bitmap, outline) + Strays("outline", outline, bitmap);
  }

  static NativeTypesetting* typesetting;
};
NativeTypesetting* PicturePathsTest::typesetting = nullptr;

std::string Narrow(std::u16string_view text) {
  return std::string(text.begin(), text.end());
}

// Every symbol with each accent; then accents in every face, in red and at the smaller sizes,
// and lines with no accent at all.
std::vector<std::u16string> Markups() {
  std::vector<std::u16string> markups;
  for (std::u16string_view accent : {u"|hat", u"|bar", u"|vector", u"|tilde"}) {
    for (const std::u16string& name : SymbolNames()) {
      markups.push_back(u"<" + name + std::u16string(accent) + u">");
    }
  }
  for (std::u16string_view line : {
           u"\\red<x|hat><y|vector><z|bar><w|tilde>",
           u"<A|rm|hat><b|rmbold|bar><Omega|rmbold|tilde><5|rmbold|vector><alpha|rm|hat>",
           u"<e>\\super{<x|hat><i|vector>}<+><a>\\sub{<n|bar>\\sub{<k|tilde>}}",
           u"\\frac{<u|hat><+><v|tilde>}{\\sqrt{<w|bar>}}<=>\\sum{<i|hat>}{<n>}<y|vector>",
           u"<x><+><y><=><z>",
           u"<x>\\super{<2>}<+><y>\\sub{<i>}\\super{<2>}",
           u"\\frac{<alpha>}{<beta>}<-><f><(><x><)>",
       }) {
    markups.emplace_back(line);
  }
  return markups;
}

TEST_F(PicturePathsTest, EverySymbolAndLineInksAlikeOnBothPaths) {
  for (const std::u16string& markup : Markups()) {
    EXPECT_EQ(Disagreement(markup), "") << Narrow(markup);
  }
}

}  // namespace
}  // namespace kav
