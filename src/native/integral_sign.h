// The integral sign image: Latin Modern Math's display-size integral rendered into a
// transparent 28 x 68 picture in one colour. The program's PNG resources are made by this.
#pragma once
#include <string>

#include "native/rgba_image.h"
#include "platform/canvas.h"
#include "platform/glyph_outlines.h"

namespace kav {

inline constexpr int32_t kIntegralImageWidth = 28;
inline constexpr int32_t kIntegralImageHeight = 68;

// Throws a Failure when the font cannot be read or has no integral sign.
RgbaImage RenderIntegralSign(const std::string& mathFontPath, Rgb ink);

// The same sign as an outline in the image's pixels (y down), for pictures drawn from outlines.
Outline IntegralSignOutline(const std::string& mathFontPath);

}  // namespace kav
