#include "native/freetype_fonts.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_SIZES_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cstring>
#include <map>
#include <utility>

#include "base/failure.h"
#include "base/utf.h"
#include "typeset/font_choice.h"

namespace kav {

struct FreeTypeFonts::Impl {
  FT_Library library = nullptr;
  FT_Face italic = nullptr;
  FT_Face roman = nullptr;
  FT_Face math = nullptr;
  std::map<std::pair<FT_Face, int32_t>, FT_Size> sizes;
  // Every glyph drawn so far: a picture asks for the same few glyphs again and again, and
  // hinting and rasterising one costs far more than copying its coverage.
  std::map<std::pair<std::pair<FontFace, int32_t>, char16_t>, GlyphCoverage> rendered;

  ~Impl() {
    // Faces release their sizes; the library releases the faces.
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
      case FontFace::Italic:
        return italic;
      case FontFace::Roman:
      case FontFace::Bold:
        return roman;
      case FontFace::Symbol:
      case FontFace::Math:
      case FontFace::MathItalic:
      case FontFace::MathBold:
        return math;
    }
    return roman;
  }

  // The face whose cell the key's size measures: the CMU face itself, Roman for the math face.
  FT_Face CellFaceOf(FontFace face) const { return face == FontFace::Italic ? italic : roman; }

  static int32_t CellUnits(FT_Face face) {
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 && os2->usWinAscent + os2->usWinDescent > 0) {
      return os2->usWinAscent + os2->usWinDescent;
    }
    return face->ascender - face->descender;
  }

  static int32_t WinAscent(FT_Face face) {
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    return os2 ? os2->usWinAscent : face->ascender;
  }

  int32_t Ppem(FontKey key) const {
    const FT_Face cell = CellFaceOf(key.face);
    const int32_t units = CellUnits(cell);
    return (key.size * cell->units_per_EM + units / 2) / units;
  }

  int32_t Ascent(FontKey key) const {
    const FT_Face cell = CellFaceOf(key.face);
    return (WinAscent(cell) * Ppem(key) + cell->units_per_EM / 2) / cell->units_per_EM;
  }

  FT_Face Activate(FontKey key) {
    const FT_Face face = FaceOf(key.face);
    const int32_t ppem = Ppem(key);
    FT_Size& size = sizes[{face, ppem}];
    if (!size) {
      if (FT_New_Size(face, &size) != 0 || FT_Activate_Size(size) != 0 ||
          FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(ppem)) != 0) {
        Fail(u"Cannot size font");
      }
    }
    FT_Activate_Size(size);
    return face;
  }

  // Loads the hinted outline of `unit`; for bold, thickened with the advance one pixel wider.
  FT_GlyphSlot Load(FontKey key, char16_t unit) {
    const FT_Face face = Activate(key);
    const FT_ULong code = DrawnCodePoint(key.face, unit);
    if (FT_Load_Char(face, code, FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP) != 0) {
      Fail(u"Cannot load glyph");
    }
    FT_GlyphSlot slot = face->glyph;
    if (key.face == FontFace::Bold && slot->format == FT_GLYPH_FORMAT_OUTLINE) {
      FT_Outline_Embolden(&slot->outline, Ppem(key) * 64 / 24);
      slot->advance.x += 64;
    }
    return slot;
  }
};

FreeTypeFonts::FreeTypeFonts(const FontFiles& files) : impl_(std::make_unique<Impl>()) {
  if (FT_Init_FreeType(&impl_->library) != 0) Fail(u"Cannot start FreeType");
  impl_->italic = impl_->Open(files.italic);
  impl_->roman = impl_->Open(files.roman);
  impl_->math = impl_->Open(files.math);
}

FreeTypeFonts::~FreeTypeFonts() = default;

GlyphExtent FreeTypeFonts::Extent(FontKey font, char16_t unit) const {
  const FT_GlyphSlot slot = impl_->Load(font, unit);
  return GlyphExtent{static_cast<int32_t>((slot->advance.x + 32) >> 6), font.size};
}

GlyphCoverage FreeTypeFonts::Render(FontKey font, char16_t unit) const {
  const auto key = std::make_pair(std::make_pair(font.face, font.size), unit);
  const auto found = impl_->rendered.find(key);
  if (found != impl_->rendered.end()) return found->second;
  GlyphCoverage coverage = RenderUncached(font, unit);
  impl_->rendered.emplace(key, coverage);
  return coverage;
}

GlyphCoverage FreeTypeFonts::RenderUncached(FontKey font, char16_t unit) const {
  const FT_GlyphSlot slot = impl_->Load(font, unit);
  if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) Fail(u"Cannot render glyph");
  const FT_Bitmap& bitmap = slot->bitmap;
  GlyphCoverage coverage;
  coverage.left = slot->bitmap_left;
  coverage.top = impl_->Ascent(font) - slot->bitmap_top;
  coverage.width = static_cast<int32_t>(bitmap.width);
  coverage.height = static_cast<int32_t>(bitmap.rows);
  coverage.alpha.resize(static_cast<size_t>(coverage.width) * coverage.height);
  for (int32_t row = 0; row < coverage.height; ++row) {
    std::memcpy(&coverage.alpha[static_cast<size_t>(row) * coverage.width],
                bitmap.buffer + static_cast<ptrdiff_t>(row) * bitmap.pitch, coverage.width);
  }
  return coverage;
}

GlyphInk FreeTypeFonts::Ink(FontKey font, char16_t unit) const {
  const GlyphCoverage glyph = Render(font, unit);
  GlyphInk ink{glyph.width, glyph.height, 0, 0};
  for (int32_t row = 0; row < glyph.height; ++row) {
    for (int32_t column = 0; column < glyph.width; ++column) {
      if (glyph.alpha[static_cast<size_t>(row) * glyph.width + column] == 0) continue;
      ink = GlyphInk{std::min(ink.left, column), std::min(ink.top, row),
                     std::max(ink.right, column + 1), std::max(ink.bottom, row + 1)};
    }
  }
  if (ink.Empty()) return GlyphInk{};
  return GlyphInk{ink.left + glyph.left, ink.top + glyph.top, ink.right + glyph.left,
                  ink.bottom + glyph.top};
}

bool FreeTypeFonts::HasGlyph(FontFace face, char16_t unit) const {
  return FT_Get_Char_Index(impl_->FaceOf(face), DrawnCodePoint(face, unit)) != 0;
}

uint32_t FreeTypeFonts::GlyphIndex(FontFace face, char32_t code) const {
  return FT_Get_Char_Index(impl_->FaceOf(face), code);
}

}  // namespace kav
