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
