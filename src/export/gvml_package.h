// GvmlPackageBuilder: the Office drawing package that Copy publishes as "Art::GVML ClipFormat",
// a zipped drawing whose text box holds the line's formula as an Office Math paragraph.
#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

#include "export/zip_writer.h"

namespace kav {

// One pixel of the laid-out line is 1274320 / 153 EMU; truncated toward zero, in 64 bits.
// A negative size is refused with a Failure.
int64_t PixelsToEmu(int32_t pixels);

// Makes packages one after another. Only the drawing differs from one formula to the next, so
// the other parts are deflated for the first package and kept for the next ones.
class GvmlPackageBuilder {
 public:
  // The zip archive. `officeMath` is the UTF-8 inside of the m:oMath element; the drawing is
  // `widthPx` x `heightPx` pixels (the root's laid-out size); every entry is stamped `stamp`.
  std::vector<uint8_t> Build(std::string_view officeMath, int32_t widthPx, int32_t heightPx,
                             DosDateTime stamp);

 private:
  ZipEntryPacker packer_;
  std::vector<PackedZipEntry> entries_;  // in archive order; the drawing is replaced each time
};

// One package from a builder of its own, for callers that make a single package.
std::vector<uint8_t> BuildGvmlPackage(std::string_view officeMath, int32_t widthPx,
                                      int32_t heightPx, DosDateTime stamp);

}  // namespace kav
