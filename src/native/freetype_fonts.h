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
// MathItalic and MathBold are that face drawing the code points DrawnCodePoint names.
class FreeTypeFonts final : public GlyphMetrics {
 public:
  // Throws a Failure when a file cannot be read as a font.
  explicit FreeTypeFonts(const FontFiles& files);
  ~FreeTypeFonts() override;
  FreeTypeFonts(const FreeTypeFonts&) = delete;
  FreeTypeFonts& operator=(const FreeTypeFonts&) = delete;

  GlyphExtent Extent(FontKey font, char16_t unit) const override;
  // The tight box of the pixels Render covers.
  GlyphInk Ink(FontKey font, char16_t unit) const override;
  // The coverage of the glyph as drawn; each glyph is rasterised once and then kept.
  GlyphCoverage Render(FontKey font, char16_t unit) const;
  // Whether the file behind `face` maps `unit` (as that face draws it) to a glyph of its own.
  bool HasGlyph(FontFace face, char16_t unit) const;
  // The glyph the file behind `face` holds for a code point; 0 for none.
  uint32_t GlyphIndex(FontFace face, char32_t code) const;
  // Latin Modern Math's MATH table, read from the file's bytes once, at construction.
  const MathTable* Math() const override;

 private:
  GlyphCoverage RenderUncached(FontKey font, char16_t unit) const;

  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace kav
