// Pictures drawn from outlines at any whole scale: every shape of a vector picture filled with
// FreeType's anti-aliasing rasterizer, so an enlarged picture is sharp, not a blown-up bitmap.
#pragma once
#include <memory>

#include "native/rgba_image.h"
#include "typeset/vector_picture.h"

namespace kav {

class ShapeRaster {
 public:
  ShapeRaster();
  ~ShapeRaster();
  ShapeRaster(const ShapeRaster&) = delete;
  ShapeRaster& operator=(const ShapeRaster&) = delete;

  // The picture at `scale` device pixels per layout pixel, on opaque `background` or, when
  // `transparent`, on a fully transparent one (colours not premultiplied). Throws a Failure when
  // the picture would be unreasonably large.
  RgbaImage Draw(const VectorPicture& picture, int32_t scale, bool transparent,
                 Rgb background) const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace kav
