// Glyph outlines read with FreeType from the same files, sizes and baselines as FreeTypeFonts
// draws with, but unhinted: a vector picture scales, so it keeps the designer's shapes.
#pragma once
#include <cstdint>
#include <memory>
#include <unordered_map>

#include "native/font_files.h"
#include "platform/glyph_outlines.h"

namespace kav {

class FreeTypeFaces;

class FreeTypeOutlines final : public GlyphOutlines {
 public:
  // Throws a Failure when a file cannot be read as a font.
  explicit FreeTypeOutlines(const FontFiles& files);
  ~FreeTypeOutlines() override;
  FreeTypeOutlines(const FreeTypeOutlines&) = delete;
  FreeTypeOutlines& operator=(const FreeTypeOutlines&) = delete;

  // Each glyph is read from the font once and kept, as the measuring cache keeps extents.
  Outline GlyphOutline(FontKey font, char16_t unit) const override;
  // A glyph of the file behind the key's face, placed as a unit mapped to it is. Throws a
  // Failure naming the index when the file has no such glyph.
  Outline GlyphOutlineById(FontKey font, uint16_t glyph) const override;

 private:
  std::unique_ptr<FreeTypeFaces> faces_;
  mutable std::unordered_map<uint64_t, Outline> cache_;

  Outline Load(FontKey font, uint16_t glyph) const;
};

}  // namespace kav
