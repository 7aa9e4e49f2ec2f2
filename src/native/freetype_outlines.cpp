#include "native/freetype_outlines.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include "base/failure.h"
#include "base/utf.h"
#include "native/integral_sign.h"
#include "native/outline_decompose.h"
#include "typeset/font_choice.h"

namespace kav {

// The em and the baseline follow FreeTypeFonts: the em is the cell height scaled by unitsPerEm
// over the cell face's usWinAscent + usWinDescent, rounded to whole pixels as GDI makes a font,
// and the baseline lies the rounded win ascent below the cell's top. The math face stands in
// the cell of CMU Serif Roman.
struct FreeTypeOutlines::Impl {
  FT_Library library = nullptr;
  FT_Face italic = nullptr;
  FT_Face roman = nullptr;
  FT_Face math = nullptr;

  ~Impl() {
    if (library) FT_Done_FreeType(library);
  }

  FT_Face Open(const std::string& path) {
    FT_Face face = nullptr;
    if (FT_New_Face(library, path.c_str(), 0, &face) != 0) {
      Fail(u"Cannot read font file " + Ascii16(path));
    }
    return face;
  }

  FT_Face FaceOf(FontFace face) const {
    switch (face) {
      case FontFace::Italic: return italic;
      case FontFace::Roman:
      case FontFace::Bold: return roman;
      case FontFace::Symbol:
      case FontFace::Math:
      case FontFace::MathItalic:
      case FontFace::MathBold: return math;
    }
    return roman;
  }

  FT_Face CellFaceOf(FontFace face) const { return face == FontFace::Italic ? italic : roman; }

  static const TT_OS2* Os2(FT_Face face) {
    return static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  }

  int32_t Ppem(FontKey key) const {
    const FT_Face cell = CellFaceOf(key.face);
    const TT_OS2* os2 = Os2(cell);
    const int32_t units = os2 && os2->usWinAscent + os2->usWinDescent > 0
                              ? os2->usWinAscent + os2->usWinDescent
                              : cell->ascender - cell->descender;
    return (key.size * cell->units_per_EM + units / 2) / units;
  }

  int32_t Ascent(FontKey key) const {
    const FT_Face cell = CellFaceOf(key.face);
    const TT_OS2* os2 = Os2(cell);
    const int32_t winAscent = os2 ? os2->usWinAscent : cell->ascender;
    return (winAscent * Ppem(key) + cell->units_per_EM / 2) / cell->units_per_EM;
  }
};

FreeTypeOutlines::FreeTypeOutlines(const FontFiles& files)
    : impl_(std::make_unique<Impl>()), integral_(IntegralSignOutline(files.math)) {
  if (FT_Init_FreeType(&impl_->library) != 0) Fail(u"Cannot start FreeType");
  impl_->italic = impl_->Open(files.italic);
  impl_->roman = impl_->Open(files.roman);
  impl_->math = impl_->Open(files.math);
}

FreeTypeOutlines::~FreeTypeOutlines() = default;

// Loaded in font units and scaled here, so the outline keeps full precision at any zoom. Bold is
// emboldened as FreeTypeFonts does it: by a 24th of the em.
Outline FreeTypeOutlines::GlyphOutline(FontKey font, char16_t unit) const {
  const uint64_t key = (uint64_t{static_cast<uint8_t>(font.face)} << 48) |
                       (uint64_t{static_cast<uint32_t>(font.size)} << 16) | unit;
  auto found = cache_.find(key);
  if (found == cache_.end()) found = cache_.emplace(key, Load(font, unit)).first;
  return found->second;
}

Outline FreeTypeOutlines::Load(FontKey font, char16_t unit) const {
  const FT_Face face = impl_->FaceOf(font.face);
  if (FT_Load_Char(face, DrawnCodePoint(font.face, unit), FT_LOAD_NO_SCALE | FT_LOAD_NO_BITMAP) !=
          0 ||
      face->glyph->format != FT_GLYPH_FORMAT_OUTLINE) {
    Fail(u"Cannot load glyph");
  }
  FT_Outline& outline = face->glyph->outline;
  if (font.face == FontFace::Bold) FT_Outline_Embolden(&outline, face->units_per_EM / 24);
  const double scale = static_cast<double>(impl_->Ppem(font)) / face->units_per_EM;
  return DecomposeOutline(outline,
                          OutlineMapping{scale, 0, static_cast<double>(impl_->Ascent(font))});
}

}  // namespace kav
