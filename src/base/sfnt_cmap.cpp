#include "base/sfnt_cmap.h"

#include <algorithm>

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

// The Unicode subtable to read: the first of format 12 (every plane), else the first of format 4.
size_t UnicodeSubtable(std::span<const uint8_t> cmap) {
  const uint32_t count = U16(cmap, 2);
  size_t format4 = 0;
  for (uint32_t i = 0; i < count; ++i) {
    const size_t record = 4 + size_t{i} * 8;
    const uint32_t platform = U16(cmap, record), encoding = U16(cmap, record + 2);
    const bool unicode = platform == 0 || (platform == 3 && (encoding == 1 || encoding == 10));
    const size_t table = U32(cmap, record + 4);
    if (!unicode || table >= cmap.size()) continue;
    const uint32_t format = U16(cmap, table);
    if (format == 12) return table;
    if (format == 4 && format4 == 0) format4 = table;
  }
  return format4;
}

void Format12Ranges(std::span<const uint8_t> b, size_t table, std::vector<CmapRange>& ranges) {
  const size_t groups = U32(b, table + 12);
  for (size_t i = 0; i < groups; ++i) {
    const size_t group = table + 16 + i * 12;
    if (group + 12 > b.size()) return;
    const uint32_t first = U32(b, group), last = U32(b, group + 4);
    if (first <= last && last <= 0x10FFFF) ranges.push_back({first, last, U32(b, group + 8)});
  }
}

// Codes first..last drawing glyph, glyph + 1, ...; a first code on glyph 0 maps to none.
void PushLinear(std::vector<CmapRange>& ranges, uint32_t first, uint32_t last, uint32_t glyph) {
  if (glyph == 0) ++first, ++glyph;
  if (first <= last) ranges.push_back({first, last, glyph});
}

// A segment with a delta is one range; one with an index array is one range per mapped code.
// Segments that do not follow the previous one are skipped, so nothing maps a code twice.
void Format4Ranges(std::span<const uint8_t> b, size_t table, std::vector<CmapRange>& ranges) {
  const size_t segments = U16(b, table + 6) / 2;
  const size_t ends = table + 14, starts = ends + 2 * segments + 2;
  const size_t deltas = starts + 2 * segments, offsets = deltas + 2 * segments;
  if (offsets + 2 * segments > b.size()) return;
  uint32_t next = 0;
  for (size_t i = 0; i < segments; ++i) {
    const uint32_t start = U16(b, starts + 2 * i), end = U16(b, ends + 2 * i);
    if (start < next || end < start) continue;
    next = end + 1;
    const uint32_t delta = U16(b, deltas + 2 * i), offset = U16(b, offsets + 2 * i);
    if (offset == 0) {
      // The delta wraps modulo 65536: the code whose glyph would be 0x10000 maps to none.
      const uint32_t glyph = (start + delta) & 0xFFFF;
      const uint32_t wrap = start + (0x10000 - glyph);
      PushLinear(ranges, start, std::min(end, wrap - 1), glyph);
      if (wrap < end) PushLinear(ranges, wrap + 1, end, 1);
      continue;
    }
    for (uint32_t code = start; code <= end; ++code) {
      const size_t at = offsets + 2 * i + offset + 2 * (code - start);
      if (at + 2 > b.size()) break;
      const uint32_t glyph = U16(b, at);
      if (glyph != 0) ranges.push_back({code, code, (glyph + delta) & 0xFFFF});
    }
  }
}

}  // namespace

uint32_t CmapGlyphIndex(std::span<const uint8_t> cmap, char32_t code) {
  const size_t table = UnicodeSubtable(cmap);
  if (table == 0) return 0;
  return U16(cmap, table) == 12 ? Format12(cmap, table, code) : Format4(cmap, table, code);
}

std::vector<CmapRange> CmapRanges(std::span<const uint8_t> cmap) {
  std::vector<CmapRange> ranges;
  const size_t table = UnicodeSubtable(cmap);
  if (table == 0) return ranges;
  if (U16(cmap, table) == 12) {
    Format12Ranges(cmap, table, ranges);
  } else {
    Format4Ranges(cmap, table, ranges);
  }
  std::sort(ranges.begin(), ranges.end(),
            [](const CmapRange& a, const CmapRange& b) { return a.first < b.first; });
  return ranges;
}

}  // namespace kav
