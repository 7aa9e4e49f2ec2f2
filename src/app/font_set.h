// The program's fonts: the faces embedded in the executable installed privately, and one GDI
// font for every font key, created once at start-up and kept until exit.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/gdi_handles.h"
#include "app/win32.h"
#include "base/math_table.h"
#include "platform/glyph_metrics.h"

namespace kav {

// A font with the geometry of its cell: glyphs are drawn with their baseline `ascent` pixels
// below the cell's top, at an em of `em` pixels, and every extent in it is `height` pixels tall.
// `family` and `glyphCount` are the face GDI really chose, for glyphs asked for by index.
struct FontCell {
  GdiObject<HFONT> font;
  int32_t ascent = 0;
  int32_t height = 0;
  int32_t em = 0;
  int32_t glyphCount = 0;
  std::wstring family;
};

// How GDI is asked for one unit of a font: by the UTF-16 unit, or by glyph index where the
// face draws a code point above U+FFFF (GDI's text calls map UTF-16 one unit at a time, so a
// surrogate pair would be two missing glyphs).
struct GdiGlyph {
  UINT code = 0;
  bool byIndex = false;
};

// A face installed from the executable's resources, visible to this process only.
class PrivateFace {
 public:
  explicit PrivateFace(HANDLE handle) : handle(handle) {}
  ~PrivateFace() {
    if (handle != nullptr) RemoveFontMemResourceEx(handle);
  }
  PrivateFace(PrivateFace&& other) noexcept : handle(std::exchange(other.handle, nullptr)) {}
  PrivateFace& operator=(PrivateFace&&) = delete;
  PrivateFace(const PrivateFace&) = delete;
  PrivateFace& operator=(const PrivateFace&) = delete;

 private:
  HANDLE handle;
};

class FontSet {
 public:
  // Installs the embedded faces and creates every font; `dc` answers the text metrics.
  void Load(HINSTANCE instance, HDC dc);
  // The font of a key; sizes other than 40, 28 and 57 mean 20.
  const FontCell& Cell(FontKey key) const;
  // Whether the symbol face is the system's "Cambria" (otherwise the embedded math face).
  bool SymbolIsCambria() const { return cambria; }
  // How many of the embedded faces were installed.
  size_t InstalledFaceCount() const { return faces.size(); }
  // What to hand GDI for `unit` drawn in `key`'s font (DrawnCodePoint decides the code point).
  GdiGlyph GlyphOf(FontKey key, char16_t unit) const;
  // The MATH table of the font file behind the math face, read once by Load; nullptr when GDI
  // gives no file for the face or the file has no MATH table.
  const MathTable* Math() const { return math.HasTable() ? &math : nullptr; }
  // What to hand GDI for glyph index `glyph` of `key`'s font. Throws a Failure naming the font
  // and the index when the font has no such glyph.
  GdiGlyph GlyphById(FontKey key, uint16_t glyph) const;

 private:
  static constexpr size_t kSizeSlots = 4;
  static size_t Slot(FontKey key);
  void Create(FontFace face, int32_t size, HDC dc);
  void CreateMathLike(FontFace face, int32_t size, HDC dc);
  // Fills in what a cell's font says of itself: its family and how many glyphs it holds.
  static void Describe(FontCell& cell, HDC dc);

  std::vector<PrivateFace> faces;  // declared first: outlives the fonts made from it
  std::array<FontCell, 7 * kSizeSlots> cells;
  std::vector<uint8_t> mathCmap;  // the math face's character map, for code points past U+FFFF
  MathTable math;
  bool cambria = false;
};

}  // namespace kav
