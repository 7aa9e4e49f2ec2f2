#include "export/gvml_package.h"

#include <string>

#include "base/failure.h"
#include "export/gvml_parts.h"

namespace kav {
namespace {

constexpr int64_t kEmuPerPixelNumerator = 1274320;
constexpr int64_t kEmuPerPixelDenominator = 153;

std::vector<uint8_t> Bytes(std::string_view text) {
  return {text.begin(), text.end()};
}

ZipEntry Part(std::string_view name, std::string_view text) {
  return {std::string(name), Bytes(text)};
}

}  // namespace

int64_t PixelsToEmu(int32_t pixels) {
  if (pixels < 0) Fail(u"GVML: negative drawing size");
  return int64_t{pixels} * kEmuPerPixelNumerator / kEmuPerPixelDenominator;
}

std::vector<uint8_t> BuildGvmlPackage(std::string_view officeMath, int32_t widthPx,
                                      int32_t heightPx, DosDateTime stamp) {
  std::string drawing = GvmlDrawingHead(PixelsToEmu(widthPx), PixelsToEmu(heightPx));
  drawing += officeMath;
  drawing += GvmlDrawingTail();
  std::vector<ZipEntry> entries;
  entries.push_back(Part(kGvmlContentTypesName, GvmlContentTypesXml()));
  entries.push_back(Part(kGvmlPackageRelsName, GvmlPackageRelsXml()));
  entries.push_back(Part(kGvmlDrawingRelsName, GvmlDrawingRelsXml()));
  entries.push_back(Part(kGvmlDrawingName, drawing));
  entries.push_back(Part(kGvmlThemeName, GvmlThemeXml()));
  return WriteZip(entries, stamp);
}

}  // namespace kav
