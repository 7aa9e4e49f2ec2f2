#include "export/gvml_package.h"

#include <string>
#include <utility>

#include "base/failure.h"
#include "export/gvml_parts.h"

namespace kav {
namespace {

constexpr int64_t kEmuPerPixelNumerator = 1274320;
constexpr int64_t kEmuPerPixelDenominator = 153;

std::vector<uint8_t> Bytes(std::string_view text) {
  return {text.begin(), text.end()};
}

PackedZipEntry Part(ZipEntryPacker& packer, std::string_view name, std::string_view text) {
  return packer.Pack({std::string(name), Bytes(text)});
}

// Where the drawing goes among the parts.
constexpr size_t kDrawingEntry = 3;

}  // namespace

int64_t PixelsToEmu(int32_t pixels) {
  if (pixels < 0) Fail(u"GVML: negative drawing size");
  return int64_t{pixels} * kEmuPerPixelNumerator / kEmuPerPixelDenominator;
}

std::vector<uint8_t> GvmlPackageBuilder::Build(std::string_view officeMath, int32_t widthPx,
                                               int32_t heightPx, DosDateTime stamp) {
  std::string drawing = GvmlDrawingHead(PixelsToEmu(widthPx), PixelsToEmu(heightPx));
  drawing += officeMath;
  drawing += GvmlDrawingTail();
  PackedZipEntry packedDrawing = Part(packer_, kGvmlDrawingName, drawing);
  if (entries_.empty()) {
    entries_.push_back(Part(packer_, kGvmlContentTypesName, GvmlContentTypesXml()));
    entries_.push_back(Part(packer_, kGvmlPackageRelsName, GvmlPackageRelsXml()));
    entries_.push_back(Part(packer_, kGvmlDrawingRelsName, GvmlDrawingRelsXml()));
    entries_.push_back({});
    entries_.push_back(Part(packer_, kGvmlThemeName, GvmlThemeXml()));
  }
  entries_[kDrawingEntry] = std::move(packedDrawing);
  return WritePackedZip(entries_, stamp);
}

std::vector<uint8_t> BuildGvmlPackage(std::string_view officeMath, int32_t widthPx,
                                      int32_t heightPx, DosDateTime stamp) {
  return GvmlPackageBuilder().Build(officeMath, widthPx, heightPx, stamp);
}

}  // namespace kav
