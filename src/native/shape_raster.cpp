#include "native/shape_raster.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <cmath>

#include "base/failure.h"
#include "export/shape_pixels.h"

namespace kav {
namespace {

// Far beyond any formula at the largest scale; keeps a runaway line from asking for gigabytes.
constexpr int64_t kMaxPixels = int64_t{1} << 28;

struct Target {
  RgbaImage* image;
  Rgb colour;
};

// FreeType's y grows upward; outlines are handed over with y negated, so scanline s is row -s-1.
void BlendSpans(int y, int count, const FT_Span* spans, void* user) {
  const Target& target = *static_cast<const Target*>(user);
  RgbaImage& image = *target.image;
  const int32_t row = -y - 1;
  if (row < 0 || row >= image.height) return;
  for (int i = 0; i < count; ++i) {
    const int32_t from = std::max<int32_t>(spans[i].x, 0);
    const int32_t to = std::min<int32_t>(spans[i].x + spans[i].len, image.width);
    for (int32_t x = from; x < to; ++x) BlendOver(image.At(x, row), target.colour, spans[i].coverage);
  }
}

struct FtOutline {
  std::vector<FT_Vector> points;
  std::vector<char> tags;
  std::vector<short> contours;
};

FtOutline ToFreeType(const Outline& outline, double scale, double dx, double dy) {
  FtOutline ft;
  size_t k = 0;
  const auto add = [&](char tag) {
    const OutlinePoint p = outline.points[k++];
    ft.points.push_back(
        {std::lround((p.x + dx) * scale * 64), -std::lround((p.y + dy) * scale * 64)});
    ft.tags.push_back(tag);
  };
  for (const OutlineVerb verb : outline.verbs) {
    switch (verb) {
      case OutlineVerb::Move:
      case OutlineVerb::Line: add(FT_CURVE_TAG_ON); break;
      case OutlineVerb::Quad:
        add(FT_CURVE_TAG_CONIC);
        add(FT_CURVE_TAG_ON);
        break;
      case OutlineVerb::Cubic:
        add(FT_CURVE_TAG_CUBIC);
        add(FT_CURVE_TAG_CUBIC);
        add(FT_CURVE_TAG_ON);
        break;
      case OutlineVerb::Close:
        ft.contours.push_back(static_cast<short>(ft.points.size() - 1));
        break;
    }
  }
  return ft;
}

}  // namespace

struct ShapeRaster::Impl {
  FT_Library library = nullptr;
  ~Impl() {
    if (library) FT_Done_FreeType(library);
  }
};

ShapeRaster::ShapeRaster() : impl_(std::make_unique<Impl>()) {
  if (FT_Init_FreeType(&impl_->library) != 0) Fail(u"Cannot start FreeType");
}

ShapeRaster::~ShapeRaster() = default;

RgbaImage ShapeRaster::Draw(const VectorPicture& picture, int32_t scale, bool transparent,
                            Rgb background) const {
  const int64_t width = int64_t{picture.Width()} * scale,
                height = int64_t{picture.Height()} * scale;
  if (width <= 0 || height <= 0 || width * height > kMaxPixels) {
    Fail(u"The line is too large for a picture");
  }
  RgbaImage image(static_cast<int32_t>(width), static_cast<int32_t>(height), background,
                  transparent ? 0 : 255);
  for (const Shape& shape : picture.shapes) {
    FtOutline ft = ToFreeType(shape.outline, scale, -picture.frame.left, -picture.frame.top);
    if (ft.contours.empty()) continue;
    if (ft.points.size() > 32767) Fail(u"A shape has too many points to draw");
    FT_Outline outline{};
    outline.n_contours = static_cast<short>(ft.contours.size());
    outline.n_points = static_cast<short>(ft.points.size());
    outline.points = ft.points.data();
    outline.tags = ft.tags.data();
    outline.contours = ft.contours.data();
    Target target{&image, shape.colour};
    FT_Raster_Params params{};
    params.flags = FT_RASTER_FLAG_AA | FT_RASTER_FLAG_DIRECT;
    params.gray_spans = BlendSpans;
    params.user = &target;
    if (FT_Outline_Render(impl_->library, &outline, &params) != 0) Fail(u"Cannot draw a shape");
  }
  return image;
}

}  // namespace kav
