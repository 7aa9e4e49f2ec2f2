// Glyph lookup in a font's character map ('cmap' table bytes), for code points that a platform's
// text calls cannot take directly: GDI maps UTF-16 one unit at a time, so a letter above U+FFFF
// is drawn and measured by glyph index instead.
#pragma once
#include <cstdint>
#include <span>
#include <vector>

namespace kav {

// The glyph index of `code` in a Unicode subtable of `cmap` (format 12 for every plane, else
// format 4 for the BMP); 0 when the table has none or is malformed.
uint32_t CmapGlyphIndex(std::span<const uint8_t> cmap, char32_t code);

// Consecutive code points mapped to consecutive glyphs: `first` + i draws glyph `glyph` + i.
struct CmapRange {
  char32_t first = 0;
  char32_t last = 0;
  uint32_t glyph = 0;
};

// Every mapping of the subtable CmapGlyphIndex reads, as ranges sorted by first code point, for
// a look-up by binary search. At most one range per group or code the bytes hold; what lies
// past the end of a truncated table is left out.
std::vector<CmapRange> CmapRanges(std::span<const uint8_t> cmap);

}  // namespace kav
