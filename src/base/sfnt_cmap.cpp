#include "base/sfnt_cmap.h"

namespace kav {
namespace {

// Big-endian reads that answer 0 past the end, so a truncated table finds nothing.
uint32_t U16(std::span<const uint8_t> b, size_t at) {
  if (at + 2 > b.size()) return 0;
  return (uint32_t{b[at]} << 8) | b[at + 1];
}

uint32_t U32(std::span<const uint8_t> b, size_t at) {
  return (U16(b, at) << 16) | U16(b, at + 2);
}

uint32_t Format12(std::span<const uint8_t> b, size_t table, char32_t code) {
  const uint32_t groups = U32(b, table + 12);
  uint32_t low = 0, high = groups;
  while (low < high) {
    const uint32_t mid = low + (high - low) / 2;
    const size_t group = table + 16 + size_t{mid} * 12;
    if (group + 12 > b.size()) return 0;
    const uint32_t first = U32(b, group), last = U32(b, group + 4);
    if (code < first) {
      high = mid;
    } else if (code > last) {
      low = mid + 1;
    } else {
      return U32(b, group + 8) + (code - first);
    }
  }
  return 0;
}

uint32_t Format4(std::span<const uint8_t> b, size_t table, char32_t code) {
  if (code > 0xFFFF) return 0;
  const size_t segments = U16(b, table + 6) / 2;
  const size_t ends = table + 14, starts = ends + 2 * segments + 2;
  const size_t deltas = starts + 2 * segments, offsets = deltas + 2 * segments;
  for (size_t i = 0; i < segments; ++i) {
    if (code > U16(b, ends + 2 * i)) continue;
    const uint32_t start = U16(b, starts + 2 * i);
    if (code < start) return 0;
    const uint32_t delta = U16(b, deltas + 2 * i), offset = U16(b, offsets + 2 * i);
    if (offset == 0) return (code + delta) & 0xFFFF;
    const uint32_t glyph = U16(b, offsets + 2 * i + offset + 2 * (code - start));
    return glyph == 0 ? 0 : (glyph + delta) & 0xFFFF;
  }
  return 0;
}

}  // namespace

uint32_t CmapGlyphIndex(std::span<const uint8_t> cmap, char32_t code) {
  const uint32_t count = U16(cmap, 2);
  size_t format4 = 0;
  for (uint32_t i = 0; i < count; ++i) {
    const size_t record = 4 + size_t{i} * 8;
    const uint32_t platform = U16(cmap, record), encoding = U16(cmap, record + 2);
    const bool unicode = platform == 0 || (platform == 3 && (encoding == 1 || encoding == 10));
    const size_t table = U32(cmap, record + 4);
    if (!unicode || table >= cmap.size()) continue;
    const uint32_t format = U16(cmap, table);
    if (format == 12) return Format12(cmap, table, code);
    if (format == 4 && format4 == 0) format4 = table;
  }
  return format4 != 0 ? Format4(cmap, format4, code) : 0;
}

}  // namespace kav
