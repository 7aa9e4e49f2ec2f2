#include "native/freetype_faces.h"

#include FT_TRUETYPE_TABLES_H

#include <string>

#include "base/failure.h"
#include "base/utf.h"

namespace kav {
namespace {

int32_t CellUnits(FT_Face face) {
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  if (os2 && os2->usWinAscent + os2->usWinDescent > 0) {
    return os2->usWinAscent + os2->usWinDescent;
  }
  return face->ascender - face->descender;
}

int32_t WinAscent(FT_Face face) {
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  return os2 ? os2->usWinAscent : face->ascender;
}

}  // namespace

void RequireGlyph(FT_Face face, uint32_t glyph) {
  if (glyph < static_cast<uint32_t>(face->num_glyphs)) return;
  Fail(u"The font " + Ascii16(face->family_name ? face->family_name : "") + u" has no glyph " +
       Ascii16(std::to_string(glyph)));
}

FreeTypeFaces::Library::~Library() {
  if (handle) FT_Done_FreeType(handle);
}

FreeTypeFaces::FreeTypeFaces(const FontFiles& files) {
  if (FT_Init_FreeType(&library_.handle) != 0) Fail(u"Cannot start FreeType");
  italic_ = Open(files.italic);
  roman_ = Open(files.roman);
  math_ = Open(files.math);
}

FT_Face FreeTypeFaces::Open(const std::string& path) const {
  FT_Face face = nullptr;
  if (FT_New_Face(library_.handle, path.c_str(), 0, &face) != 0) {
    Fail(u"Cannot read font file " + Ascii16(path));
  }
  return face;
}

FT_Face FreeTypeFaces::FaceOf(FontFace face) const {
  switch (face) {
    case FontFace::Italic:
      return italic_;
    case FontFace::Roman:
    case FontFace::Bold:
      return roman_;
    case FontFace::Symbol:
    case FontFace::Math:
    case FontFace::MathItalic:
    case FontFace::MathBold:
      return math_;
  }
  return roman_;
}

int32_t FreeTypeFaces::Ppem(FontKey key) const {
  const FT_Face cell = CellFaceOf(key.face);
  const int32_t units = CellUnits(cell);
  return (key.size * cell->units_per_EM + units / 2) / units;
}

int32_t FreeTypeFaces::Ascent(FontKey key) const {
  const FT_Face cell = CellFaceOf(key.face);
  return (WinAscent(cell) * Ppem(key) + cell->units_per_EM / 2) / cell->units_per_EM;
}

}  // namespace kav
