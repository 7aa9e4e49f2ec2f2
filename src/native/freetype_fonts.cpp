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
#include "native/freetype_faces.h"
#include "typeset/font_choice.h"

namespace kav {

struct FreeTypeFonts::Impl {
  // Declared first, so destroyed last: the faces release their sizes, the library the faces.
  FreeTypeFaces faces;
  std::map<std::pair<FT_Face, int32_t>, FT_Size> sizes;
  // Every glyph drawn so far, by index: a picture asks for the same few glyphs again and again,
  // and hinting and rasterising one costs far more than copying its coverage.
  std::map<std::pair<std::pair<FontFace, int32_t>, uint16_t>, GlyphCoverage> rendered;

  MathTable math;

  explicit Impl(const FontFiles& files)
      : faces(files), math(MathOf(faces.FaceOf(FontFace::Math))) {}

  // The whole file behind `face` (tag 0 asks FreeType for every byte), read as a MathTable.
  static MathTable MathOf(FT_Face face) {
    FT_ULong length = 0;
    if (FT_Load_Sfnt_Table(face, 0, 0, nullptr, &length) != 0) Fail(u"Cannot read the math font");
    std::vector<uint8_t> file(length);
    if (FT_Load_Sfnt_Table(face, 0, 0, file.data(), &length) != 0) {
      Fail(u"Cannot read the math font");
    }
    return MathTable::FromFont(file);
  }

  FT_Face Activate(FontKey key) {
    const FT_Face face = faces.FaceOf(key.face);
    const int32_t ppem = faces.Ppem(key);
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

  // Loads the hinted outline of a glyph; for bold, thickened with the advance one pixel wider.
  // A unit is loaded through the index its file maps it to, so both ways draw the same glyph.
  FT_GlyphSlot Load(FontKey key, uint16_t glyph) {
    const FT_Face face = Activate(key);
    RequireGlyph(face, glyph);
    if (FT_Load_Glyph(face, glyph, FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP) != 0) {
      Fail(u"Cannot load glyph");
    }
    FT_GlyphSlot slot = face->glyph;
    if (key.face == FontFace::Bold && slot->format == FT_GLYPH_FORMAT_OUTLINE) {
      FT_Outline_Embolden(&slot->outline, faces.Ppem(key) * 64 / 24);
      slot->advance.x += 64;
    }
    return slot;
  }
};

FreeTypeFonts::FreeTypeFonts(const FontFiles& files) : impl_(std::make_unique<Impl>(files)) {}

FreeTypeFonts::~FreeTypeFonts() = default;

uint16_t FreeTypeFonts::IndexOf(FontKey font, char16_t unit) const {
  return static_cast<uint16_t>(GlyphIndex(font.face, DrawnCodePoint(font.face, unit)));
}

GlyphExtent FreeTypeFonts::Extent(FontKey font, char16_t unit) const {
  return ExtentById(font, IndexOf(font, unit));
}

GlyphExtent FreeTypeFonts::ExtentById(FontKey font, uint16_t glyph) const {
  const FT_GlyphSlot slot = impl_->Load(font, glyph);
  return GlyphExtent{static_cast<int32_t>((slot->advance.x + 32) >> 6), font.size};
}

int32_t FreeTypeFonts::Ascent(FontKey font) const {
  return impl_->faces.Ascent(font);
}

double FreeTypeFonts::PixelsPerEm(FontKey font) const {
  return impl_->faces.Ppem(font);
}

GlyphCoverage FreeTypeFonts::Render(FontKey font, char16_t unit) const {
  return RenderById(font, IndexOf(font, unit));
}

GlyphCoverage FreeTypeFonts::RenderById(FontKey font, uint16_t glyph) const {
  const auto key = std::make_pair(std::make_pair(font.face, font.size), glyph);
  const auto found = impl_->rendered.find(key);
  if (found != impl_->rendered.end()) return found->second;
  GlyphCoverage coverage = RenderUncached(font, glyph);
  impl_->rendered.emplace(key, coverage);
  return coverage;
}

GlyphCoverage FreeTypeFonts::RenderUncached(FontKey font, uint16_t glyph) const {
  const FT_GlyphSlot slot = impl_->Load(font, glyph);
  if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) Fail(u"Cannot render glyph");
  const FT_Bitmap& bitmap = slot->bitmap;
  GlyphCoverage coverage;
  coverage.left = slot->bitmap_left;
  coverage.top = impl_->faces.Ascent(font) - slot->bitmap_top;
  coverage.width = static_cast<int32_t>(bitmap.width);
  coverage.height = static_cast<int32_t>(bitmap.rows);
  coverage.alpha.resize(static_cast<size_t>(coverage.width) * coverage.height);
  for (int32_t row = 0; row < coverage.height; ++row) {
    std::memcpy(&coverage.alpha[static_cast<size_t>(row) * coverage.width],
                bitmap.buffer + static_cast<ptrdiff_t>(row) * bitmap.pitch, coverage.width);
  }
  return coverage;
}

namespace {

// The box FreeType renders the glyph into, in its cell's coordinates: the outline's box rounded
// outwards to whole pixels, which is GDI's black box of the same glyph. Layout places letters by
// ink, so the two platforms must measure it alike; the tight box of the covered pixels can stand
// a pixel inside it. Empty when no pixel is covered.
GlyphInk InkOf(const GlyphCoverage& glyph) {
  const bool covered = std::any_of(glyph.alpha.begin(), glyph.alpha.end(),
                                   [](uint8_t alpha) { return alpha != 0; });
  if (!covered) return GlyphInk{};
  return GlyphInk{glyph.left, glyph.top, glyph.left + glyph.width, glyph.top + glyph.height};
}

}  // namespace

GlyphInk FreeTypeFonts::Ink(FontKey font, char16_t unit) const {
  return InkOf(Render(font, unit));
}

GlyphInk FreeTypeFonts::InkById(FontKey font, uint16_t glyph) const {
  return InkOf(RenderById(font, glyph));
}

bool FreeTypeFonts::HasGlyph(FontFace face, char16_t unit) const {
  return FT_Get_Char_Index(impl_->faces.FaceOf(face), DrawnCodePoint(face, unit)) != 0;
}

const MathTable* FreeTypeFonts::Math() const {
  return impl_->math.HasTable() ? &impl_->math : nullptr;
}

uint32_t FreeTypeFonts::GlyphIndex(FontFace face, char32_t code) const {
  return FT_Get_Char_Index(impl_->faces.FaceOf(face), code);
}

}  // namespace kav
