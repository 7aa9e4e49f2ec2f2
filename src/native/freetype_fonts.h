// The program's fonts through FreeType, measured and drawn the way GDI does it for a font made
// with a positive cell height: the em is the cell height scaled by unitsPerEm over
// (usWinAscent + usWinDescent), widths are hinted advances and every extent is a cell tall.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "native/font_files.h"
#include "platform/glyph_metrics.h"

namespace kav {

// One glyph's anti-aliased coverage, placed relative to the top-left corner of its cell.
struct GlyphCoverage {
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint8_t> alpha;  // width x height, row by row, 0 to 255
};

// Italic and Roman are the CMU files. Bold is Roman emboldened as GDI simulates weight 700 for
// a face that has no bold: the outline thickened by ppem/24 of a pixel and the advance made one
// pixel wider. Symbol and Math are Latin Modern Math drawn at the em of CMU Serif Roman for the
// same cell height and on its baseline, since that face's own cell is several times its em;
// MathItalic and MathBold are that face drawing the code points DrawnCodePoint names. A glyph
// index names a glyph of the file behind the key's face, drawn at that key's em and baseline
// exactly as a unit mapped to it would be.
class FreeTypeFonts final : public GlyphMetrics {
 public:
  // Throws a Failure when a file cannot be read as a font.
  explicit FreeTypeFonts(const FontFiles& files);
  ~FreeTypeFonts() override;
  FreeTypeFonts(const FreeTypeFonts&) = delete;
  FreeTypeFonts& operator=(const FreeTypeFonts&) = delete;

  GlyphExtent Extent(FontKey font, char16_t unit) const override;
  // The box Render draws into (the outline's box rounded outwards, as GDI's black box), empty
  // when it covers no pixel.
  GlyphInk Ink(FontKey font, char16_t unit) const override;
  // The coverage of the glyph as drawn; each glyph is rasterised once and then kept.
  GlyphCoverage Render(FontKey font, char16_t unit) const;

  int32_t Ascent(FontKey font) const override;
  double PixelsPerEm(FontKey font) const override;
  // Throw a Failure naming the index when the file has no such glyph.
  GlyphExtent ExtentById(FontKey font, uint16_t glyph) const override;
  GlyphInk InkById(FontKey font, uint16_t glyph) const override;
  GlyphCoverage RenderById(FontKey font, uint16_t glyph) const;

  // Whether the file behind `face` maps `unit` (as that face draws it) to a glyph of its own.
  bool HasGlyph(FontFace face, char16_t unit) const;
  // The glyph the file behind `face` holds for a code point; 0 for none.
  uint32_t GlyphIndex(FontFace face, char32_t code) const;
  // Latin Modern Math's MATH table, read from the file's bytes once, at construction.
  const MathTable* Math() const override;

 private:
  GlyphCoverage RenderUncached(FontKey font, uint16_t glyph) const;
  // The glyph the key's file draws for the unit (0, the missing glyph, for none).
  uint16_t IndexOf(FontKey font, char16_t unit) const;

  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace kav
