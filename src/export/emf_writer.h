// A line's vector picture as an enhanced metafile, written by hand so every build can make it: a
// header whose bounds are the picture's pixels and whose frame is its size in hundredths of a
// millimetre at 96 dpi, then one filled path per shape with a solid brush of its colour and no
// pen, and the end record. Coordinates are sixteenths of a layout pixel (an anisotropic mapping
// mode maps them onto the pixels), so curves keep their shape when a reader enlarges them.
#pragma once
#include <cstdint>
#include <vector>

#include "typeset/vector_picture.h"

namespace kav {

// Logical units per layout pixel in the metafile's records.
inline constexpr int32_t kEmfUnitsPerPixel = 16;

// The metafile's bytes. Throws a Failure when the picture is empty or too large for the
// format's 32-bit coordinates.
std::vector<uint8_t> WriteEmf(const VectorPicture& picture);

// The frame of a picture `pixels` wide, in hundredths of a millimetre at 96 pixels per inch.
int32_t EmfFrameSize(int32_t pixels);

}  // namespace kav
