// What layout asks of a platform: the extent of one UTF-16 unit in one of the program's fonts.
// Which font draws a symbol is decided by the core (a font key), so measuring and drawing can
// never disagree.
#pragma once
#include <cstdint>

namespace kav {

// The faces the program draws with. `Symbol` is "Cambria" where the system has it and the
// embedded math face otherwise; `Math` is the embedded "Latin Modern Math", used for symbols the
// CMU faces lack.
enum class FontFace : uint8_t { Italic, Roman, Bold, Symbol, Math };

// For the Math face (and Symbol where it is the math face) the size names the CMU cell the
// symbol stands in: the glyph is drawn at the em CMU Serif Roman has for that cell height, on
// that face's baseline, and measured as that cell's height. Latin Modern Math's own cell
// (usWinAscent + usWinDescent) is over six ems, so a font made with it as the positive cell
// height would draw its glyphs six times too small and report them six times too tall.
struct FontKey {
  FontFace face = FontFace::Italic;
  int32_t size = 40;  // cell height in pixels: 40, 28, 20, or 57 for the big sigma and pi
  friend bool operator==(const FontKey&, const FontKey&) = default;
};

struct GlyphExtent {
  int32_t width = 0;
  int32_t height = 0;
  friend bool operator==(const GlyphExtent&, const GlyphExtent&) = default;
};

class GlyphMetrics {
 public:
  virtual ~GlyphMetrics() = default;
  // The text extent of one unit drawn in `font`, as GDI's GetTextExtentPoint32W reports it:
  // advance width and the font's cell height.
  virtual GlyphExtent Extent(FontKey font, char16_t unit) const = 0;
};

}  // namespace kav
