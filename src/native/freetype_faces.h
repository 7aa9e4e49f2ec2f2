// The three font files opened once with FreeType, and the cell geometry that the measuring and
// the outline back ends share: which file draws a face, its em in pixels and its baseline.
#pragma once
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>
#include <string>

#include "native/font_files.h"
#include "platform/glyph_metrics.h"

namespace kav {

// Throws a Failure naming the font and the index when `face` has no glyph of that index.
void RequireGlyph(FT_Face face, uint32_t glyph);

// The em is the cell height scaled by unitsPerEm over the cell face's usWinAscent +
// usWinDescent, rounded to whole pixels as GDI makes a font, and the baseline lies the rounded
// win ascent below the cell's top. The math face stands in the cell of CMU Serif Roman.
class FreeTypeFaces {
 public:
  // Throws a Failure when FreeType cannot start or a file cannot be read as a font.
  explicit FreeTypeFaces(const FontFiles& files);
  FreeTypeFaces(const FreeTypeFaces&) = delete;
  FreeTypeFaces& operator=(const FreeTypeFaces&) = delete;

  // The file that draws `face`.
  FT_Face FaceOf(FontFace face) const;
  // The face whose cell the key's size measures: the CMU face itself, Roman for the math face.
  FT_Face CellFaceOf(FontFace face) const { return face == FontFace::Italic ? italic_ : roman_; }
  int32_t Ppem(FontKey key) const;
  int32_t Ascent(FontKey key) const;

 private:
  // Owns the library, and through it the faces and their sizes; released even when opening a
  // face fails halfway through construction.
  struct Library {
    FT_Library handle = nullptr;
    Library() = default;
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;
    ~Library();
  };

  FT_Face Open(const std::string& path) const;

  Library library_;
  FT_Face italic_ = nullptr;
  FT_Face roman_ = nullptr;
  FT_Face math_ = nullptr;
};

}  // namespace kav
