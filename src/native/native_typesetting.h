// Everything that lays out and draws lines natively, loaded once: the installed font files
// through FreeType, cached measurement and the box layouter.
#pragma once
#include "model/line.h"
#include "native/font_files.h"
#include "native/freetype_fonts.h"
#include "native/freetype_outlines.h"
#include "native/rgba_image.h"
#include "typeset/glyph_measure.h"
#include "typeset/layout.h"
#include "typeset/picture_frame.h"
#include "typeset/vector_picture.h"

namespace kav {

class NativeTypesetting {
 public:
  // Throws a Failure when a font file is missing or unreadable.
  NativeTypesetting();
  explicit NativeTypesetting(const FontFiles& files);
  NativeTypesetting(const NativeTypesetting&) = delete;
  NativeTypesetting& operator=(const NativeTypesetting&) = delete;

  const LineLayouter& Layouter() const { return layouter_; }
  const GlyphMetrics& Metrics() const { return cached_; }
  const FreeTypeFonts& Fonts() const { return fonts_; }
  const GlyphOutlines& Outlines() const { return outlines_; }
  // The black, green and red integral images, for a RasterCanvas.

  // The line as the clipboard shows it: its boxes on the window colour, nothing selected, the
  // root box and all the ink the glyphs draw around it, plus the picture margin. Throws a Failure
  // for a line with nothing to draw.
  RgbaImage Picture(const EquationLine& line) const { return FramedPicture(line).image; }

  struct Framed {
    RgbaImage image;
    PixelRect frame;  // the picture's rectangle in the root's coordinates
  };
  Framed FramedPicture(const EquationLine& line) const;

  // The same picture as outlines, for SVG, EMF and scaled bitmaps. Throws a Failure for a line
  // with nothing to draw.
  VectorPicture Vector(const EquationLine& line) const;

 private:
  FreeTypeFonts fonts_;
  CachedGlyphMetrics cached_;
  BoxLayouter layouter_;
  FreeTypeOutlines outlines_;
};

// The default window colour, as a fresh Windows (and Wine) set-up has it.
inline constexpr Rgb kWindowColour{255, 255, 255};

}  // namespace kav
