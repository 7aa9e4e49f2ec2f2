// The character map reader against FreeType's, over the installed font files.
#include "base/sfnt_cmap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <vector>

#include "native/freetype_fonts.h"

namespace kav {
namespace {

uint32_t Be32(const std::vector<uint8_t>& b, size_t at) {
  return (uint32_t{b[at]} << 24) | (uint32_t{b[at + 1]} << 16) | (uint32_t{b[at + 2]} << 8) |
         b[at + 3];
}

// The 'cmap' table of a font file, as GDI's GetFontData hands it out.
std::vector<uint8_t> CmapTable(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  const std::vector<uint8_t> font((std::istreambuf_iterator<char>(file)), {});
  const size_t tables = (size_t{font.at(4)} << 8) | font.at(5);
  for (size_t i = 0; i < tables; ++i) {
    const size_t record = 12 + 16 * i;
    if (Be32(font, record) != 0x636D6170) continue;
    const size_t offset = Be32(font, record + 8), length = Be32(font, record + 12);
    return std::vector<uint8_t>(font.begin() + offset, font.begin() + offset + length);
  }
  return {};
}

TEST(CmapGlyphIndex, AgreesWithFreeTypeInEveryPlane) {
  const FontFiles files = InstalledFontFiles();
  const FreeTypeFonts fonts(files);
  const std::vector<uint8_t> math = CmapTable(files.math);
  const std::vector<uint8_t> roman = CmapTable(files.roman);
  ASSERT_FALSE(math.empty());
  ASSERT_FALSE(roman.empty());
  std::vector<char32_t> codes = {U'a', U'~', U'\u2264', U'\u230A', U'\u22EF', U'\u03B8'};
  for (char32_t c = U'\U0001D6FC'; c <= U'\U0001D71B'; ++c) codes.push_back(c);
  for (char32_t code : codes) {
    EXPECT_EQ(CmapGlyphIndex(math, code), fonts.GlyphIndex(FontFace::Math, code))
        << static_cast<uint32_t>(code);
    EXPECT_EQ(CmapGlyphIndex(roman, code), fonts.GlyphIndex(FontFace::Roman, code))
        << static_cast<uint32_t>(code);
  }
  EXPECT_NE(CmapGlyphIndex(math, U'\U0001D703'), 0u);
  // A cut table reads nothing past its end: it finds the right glyph or none.
  EXPECT_EQ(CmapGlyphIndex({}, U'a'), 0u);
  const uint32_t theta = CmapGlyphIndex(math, U'\U0001D703');
  for (size_t length = 0; length < math.size(); length += 97) {
    const uint32_t found = CmapGlyphIndex(std::span(math).first(length), U'\U0001D703');
    EXPECT_TRUE(found == 0 || found == theta) << length;
  }
}

// The ranges the MATH table's look-up searches map every code as the direct look-up does, in
// each file's format 12 map and in its format 4 map alone (the files list that one first: cut
// the list there).
TEST(CmapRanges, MapEveryCodeAsTheDirectLookUp) {
  const FontFiles files = InstalledFontFiles();
  for (const std::string& path : {files.italic, files.roman, files.math}) {
    for (bool bmpOnly : {false, true}) {
      std::vector<uint8_t> cmap = CmapTable(path);
      if (bmpOnly) cmap[3] = 1;
      const std::vector<CmapRange> ranges = CmapRanges(cmap);
      ASSERT_FALSE(ranges.empty()) << path;
      size_t mapped = 0;
      for (char32_t code = 0; code < 0x20000; ++code) {
        const auto after =
            std::upper_bound(ranges.begin(), ranges.end(), code,
                             [](char32_t c, const CmapRange& r) { return c < r.first; });
        uint32_t glyph = 0;
        if (after != ranges.begin() && code <= (after - 1)->last) {
          glyph = (after - 1)->glyph + (code - (after - 1)->first);
        }
        mapped += glyph != 0;
        ASSERT_EQ(glyph, CmapGlyphIndex(cmap, code)) << path << " " << static_cast<uint32_t>(code);
      }
      EXPECT_GT(mapped, 100u) << path;
    }
  }
}

}  // namespace
}  // namespace kav
