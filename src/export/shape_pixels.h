// A vector picture filled into pixels by our own anti-aliasing rasterizer, so every platform
// draws the scaled clipboard pictures alike: each shape's coverage is the exact area of the pixel
// inside its outline (curves flattened to a small fraction of a pixel), by the non-zero rule, and
// the shapes are laid over each other in drawing order. The pixel (x, y) covers the square from
// (x, y) to (x + 1, y + 1) in device pixels, as FreeType's rasterizer counts it.
#pragma once
#include <cstdint>
#include <span>
#include <vector>

#include "platform/canvas.h"
#include "typeset/vector_picture.h"

namespace kav {

// Straight-alpha "over": ink of `colour` with coverage `alpha` (0..255) laid above the pixel
// `p` holds (red, green, blue, alpha; not premultiplied).
void BlendOver(uint8_t* p, Rgb colour, uint32_t alpha);

// Draws the shapes at `scale` device pixels per layout pixel over `rgba`: Width() x scale by
// Height() x scale pixels, four bytes each (red, green, blue, alpha; not premultiplied), row by
// row from the top. Ink outside the buffer is dropped.
void FillShapes(const VectorPicture& picture, int32_t scale, std::span<uint8_t> rgba);

// The picture at `scale` on opaque `background` or, when `transparent`, on a fully transparent
// one, as FillShapes lays it out. Throws a Failure when the picture would be unreasonably large.
std::vector<uint8_t> ShapePixels(const VectorPicture& picture, int32_t scale, bool transparent,
                                 Rgb background);

}  // namespace kav
