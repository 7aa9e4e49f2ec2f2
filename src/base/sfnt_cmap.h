// Glyph lookup in a font's character map ('cmap' table bytes), for code points that a platform's
// text calls cannot take directly: GDI maps UTF-16 one unit at a time, so a letter above U+FFFF
// is drawn and measured by glyph index instead.
#pragma once
#include <cstdint>
#include <span>

namespace kav {

// The glyph index of `code` in a Unicode subtable of `cmap` (format 12 for every plane, else
// format 4 for the BMP); 0 when the table has none or is malformed.
uint32_t CmapGlyphIndex(std::span<const uint8_t> cmap, char32_t code);

}  // namespace kav
