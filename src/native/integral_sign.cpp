#include "native/integral_sign.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <memory>

#include "base/failure.h"
#include "base/utf.h"
#include "native/outline_decompose.h"

namespace kav {
namespace {

// One pixel of air above and below the sign.
constexpr int32_t kMargin = 1;

struct LibraryCloser {
  void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
using LibraryHandle = std::unique_ptr<FT_LibraryRec_, LibraryCloser>;

// The display-size variant is as tall and narrow as the image (the text-size U+222B is a
// squat half of it); fall back to U+222B where a face lacks the variant.
FT_UInt IntegralGlyph(FT_Face face) {
  char variant[] = "integral.v1";
  if (FT_HAS_GLYPH_NAMES(face)) {
    const FT_UInt index = FT_Get_Name_Index(face, variant);
    if (index != 0) return index;
  }
  const FT_UInt index = FT_Get_Char_Index(face, 0x222B);
  if (index == 0) Fail(u"The math font has no integral sign");
  return index;
}

// Scales the outline (in font units) to fill the image height less the margins and centres it.
void FitOutline(FT_Outline& outline) {
  FT_BBox box;
  FT_Outline_Get_CBox(&outline, &box);
  const FT_Long height = box.yMax - box.yMin;
  const FT_Fixed scale = FT_DivFix((kIntegralImageHeight - 2 * kMargin) * 64, height);
  FT_Matrix matrix{scale, 0, 0, scale};
  FT_Outline_Transform(&outline, &matrix);
  FT_Outline_Get_CBox(&outline, &box);
  const FT_Pos dx = (kIntegralImageWidth * 64 - (box.xMax - box.xMin)) / 2 - box.xMin;
  const FT_Pos dy = kMargin * 64 - box.yMin;
  FT_Outline_Translate(&outline, dx, dy);
}

// Opens the math face, loads its integral fitted to the image and hands the library and the
// outline (in 1/64 image pixels, y up from the image's bottom) to `use`.
template <typename Use>
auto WithFittedIntegral(const std::string& mathFontPath, Use use) {
  FT_Library raw = nullptr;
  if (FT_Init_FreeType(&raw) != 0) Fail(u"Cannot start FreeType");
  const LibraryHandle library(raw);
  FT_Face face = nullptr;
  if (FT_New_Face(raw, mathFontPath.c_str(), 0, &face) != 0) {
    Fail(u"Cannot read font file " + Ascii16(mathFontPath));
  }
  if (FT_Load_Glyph(face, IntegralGlyph(face), FT_LOAD_NO_SCALE) != 0 ||
      face->glyph->format != FT_GLYPH_FORMAT_OUTLINE) {
    Fail(u"Cannot load the integral sign");
  }
  FT_Outline& outline = face->glyph->outline;
  FitOutline(outline);
  return use(raw, outline);
}

}  // namespace

RgbaImage RenderIntegralSign(const std::string& mathFontPath, Rgb ink) {
  return WithFittedIntegral(mathFontPath, [&](FT_Library raw, FT_Outline& outline) {
    std::vector<uint8_t> coverage(kIntegralImageWidth * kIntegralImageHeight);
    FT_Bitmap bitmap{};
    bitmap.rows = kIntegralImageHeight;
    bitmap.width = kIntegralImageWidth;
    bitmap.pitch = kIntegralImageWidth;
    bitmap.buffer = coverage.data();
    bitmap.num_grays = 256;
    bitmap.pixel_mode = FT_PIXEL_MODE_GRAY;
    if (FT_Outline_Get_Bitmap(raw, &outline, &bitmap) != 0) {
      Fail(u"Cannot render the integral sign");
    }
    // Every pixel carries the ink; the coverage is its alpha.
    RgbaImage image(kIntegralImageWidth, kIntegralImageHeight, ink, 0);
    for (size_t i = 0; i < coverage.size(); ++i) image.pixels[i * 4 + 3] = coverage[i];
    return image;
  });
}

Outline IntegralSignOutline(const std::string& mathFontPath) {
  return WithFittedIntegral(mathFontPath, [](FT_Library, FT_Outline& outline) {
    return DecomposeOutline(outline, OutlineMapping{1.0 / 64, 0, kIntegralImageHeight});
  });
}

}  // namespace kav
