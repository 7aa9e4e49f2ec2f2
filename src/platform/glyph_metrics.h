// What layout asks of a platform: the extent of one UTF-16 unit in one of the program's fonts.
// Which font draws a symbol is decided by the core (a font key), so measuring and drawing can
// never disagree.
#pragma once
#include <cstdint>

#include "base/failure.h"
#include "base/math_table.h"

namespace kav {

// The faces the program draws with. `Symbol` is "Cambria" where the system has it and the
// embedded math face otherwise; `Math` is the embedded "Latin Modern Math", used for symbols the
// CMU faces lack. `MathItalic` and `MathBold` are the same file drawing lowercase Greek from its
// mathematical italic (U+1D6FC onward) and bold (U+1D6C2 onward) letters, since the CMU faces
// draw theta, kappa and rho as their variant letters; a platform draws the code point that
// DrawnCodePoint names for a unit.
enum class FontFace : uint8_t { Italic, Roman, Bold, Symbol, Math, MathItalic, MathBold };

// For the math faces (and Symbol where it is the math face) the size names the CMU cell the
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

// The pixels a glyph really inks, relative to the top-left corner of its cell when drawn there:
// columns left to right - 1 and rows top to bottom - 1. Empty when nothing is inked or the
// platform cannot tell; layout and painting then keep their table positions.
struct GlyphInk {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
  bool Empty() const { return right <= left || bottom <= top; }
  friend bool operator==(const GlyphInk&, const GlyphInk&) = default;
};

class GlyphMetrics {
 public:
  virtual ~GlyphMetrics() = default;
  // The text extent of one unit drawn in `font`, as GDI's GetTextExtentPoint32W reports it:
  // advance width and the font's cell height.
  virtual GlyphExtent Extent(FontKey font, char16_t unit) const = 0;
  // The ink of one unit drawn in `font`, from the outline or bitmap the canvas draws.
  virtual GlyphInk Ink(FontKey /*font*/, char16_t /*unit*/) const { return {}; }

  // The baseline's distance below the top of `font`'s cell, in pixels: where Canvas::Glyph and
  // Canvas::GlyphById put the baseline of a glyph drawn at a cell corner.
  virtual int32_t Ascent(FontKey /*font*/) const { Fail(u"GlyphMetrics: no ascent"); }
  // The em `font` is drawn at, in pixels; MATH values scale by it over the table's units per em.
  virtual double PixelsPerEm(FontKey /*font*/) const { Fail(u"GlyphMetrics: no em"); }
  // Latin Modern Math's MATH table and character map, read once; nullptr where the platform
  // has no math font (layout then cannot run).
  virtual const MathTable* Math() const { return nullptr; }
  // Advance width and cell height, and ink, of a glyph of the math face (FontFace::Math) by
  // glyph index: the variants and assembly pieces that have no code point of their own.
  virtual GlyphExtent ExtentById(FontKey /*font*/, uint16_t /*glyph*/) const {
    Fail(u"GlyphMetrics: no glyph indices");
  }
  virtual GlyphInk InkById(FontKey /*font*/, uint16_t /*glyph*/) const {
    Fail(u"GlyphMetrics: no glyph indices");
  }
};

}  // namespace kav
