#include "native/freetype_outlines.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include "base/failure.h"
#include "native/freetype_faces.h"
#include "native/outline_decompose.h"
#include "typeset/font_choice.h"

namespace kav {

FreeTypeOutlines::FreeTypeOutlines(const FontFiles& files)
    : faces_(std::make_unique<FreeTypeFaces>(files)) {}

FreeTypeOutlines::~FreeTypeOutlines() = default;

// A unit is read through the index its file maps it to, so both ways give the same outline.
Outline FreeTypeOutlines::GlyphOutline(FontKey font, char16_t unit) const {
  const FT_UInt glyph =
      FT_Get_Char_Index(faces_->FaceOf(font.face), DrawnCodePoint(font.face, unit));
  return GlyphOutlineById(font, static_cast<uint16_t>(glyph));
}

Outline FreeTypeOutlines::GlyphOutlineById(FontKey font, uint16_t glyph) const {
  const uint64_t key = (uint64_t{static_cast<uint8_t>(font.face)} << 48) |
                       (uint64_t{static_cast<uint32_t>(font.size)} << 16) | glyph;
  auto found = cache_.find(key);
  if (found == cache_.end()) found = cache_.emplace(key, Load(font, glyph)).first;
  return found->second;
}

// Loaded in font units and scaled here, so the outline keeps full precision at any zoom. Bold is
// emboldened as FreeTypeFonts does it: by a 24th of the em.
Outline FreeTypeOutlines::Load(FontKey font, uint16_t glyph) const {
  const FT_Face face = faces_->FaceOf(font.face);
  RequireGlyph(face, glyph);
  if (FT_Load_Glyph(face, glyph, FT_LOAD_NO_SCALE | FT_LOAD_NO_BITMAP) != 0 ||
      face->glyph->format != FT_GLYPH_FORMAT_OUTLINE) {
    Fail(u"Cannot load glyph");
  }
  FT_Outline& outline = face->glyph->outline;
  if (font.face == FontFace::Bold) FT_Outline_Embolden(&outline, face->units_per_EM / 24);
  const double scale = static_cast<double>(faces_->Ppem(font)) / face->units_per_EM;
  return DecomposeOutline(outline,
                          OutlineMapping{scale, 0, static_cast<double>(faces_->Ascent(font))});
}

}  // namespace kav
