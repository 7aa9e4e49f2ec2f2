// Checks the program's GDI fonts where they are used, under Wine: every face resolves to the
// embedded file it names, letter heights are the cell heights layout expects, no symbol the
// editor can insert is drawn from a face without a glyph for it, and a glyph asked for by index
// measures, inks, draws and outlines as its code point does. Prints every font's baseline and em,
// one line per fault, and exits with 1 when there is any. Also prints the math face's MATH
// constants as GDI hands out the file, for the test to compare with the font file itself.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/drawing_resources.h"
#include "app/font_set.h"
#include "app/gdi_canvas.h"
#include "app/gdi_glyph.h"
#include "app/gdi_glyph_metrics.h"
#include "app/gdi_glyph_outlines.h"
#include "app/win32.h"
#include "base/failure.h"
#include "model/symbols.h"
#include "typeset/font_choice.h"
#include "typeset/glyph_measure.h"

namespace {

using kav::FontFace;
using kav::FontKey;

int faults = 0;

void Fault(const std::string& text) {
  std::printf("FAULT: %s\n", text.c_str());
  ++faults;
}

std::wstring FaceName(HDC dc, HFONT font) {
  kav::SelectedObject selected(dc, font);
  wchar_t name[LF_FACESIZE] = {};
  GetTextFaceW(dc, LF_FACESIZE, name);
  return name;
}

bool HasGlyph(HDC dc, HFONT font, kav::GdiGlyph glyph) {
  if (glyph.byIndex) return glyph.code != 0;
  kav::SelectedObject selected(dc, font);
  const wchar_t unit = static_cast<wchar_t>(glyph.code);
  WORD index = 0;
  return GetGlyphIndicesW(dc, &unit, 1, &index, GGI_MARK_NONEXISTING_GLYPHS) == 1 &&
         index != 0xFFFF;
}

std::wstring ExpectedFace(FontFace face, bool cambria) {
  switch (face) {
    case FontFace::Italic:
    case FontFace::Roman:
    case FontFace::Bold: return L"CMU Serif";
    case FontFace::Symbol: return cambria ? L"Cambria" : L"Latin Modern Math";
    case FontFace::Math:
    case FontFace::MathItalic:
    case FontFace::MathBold: return L"Latin Modern Math";
  }
  return L"";
}

void CheckFaces(HDC dc, const kav::FontSet& fonts) {
  for (FontFace face : {FontFace::Italic, FontFace::Roman, FontFace::Bold, FontFace::Symbol,
                        FontFace::Math, FontFace::MathItalic, FontFace::MathBold}) {
    for (int32_t size : {40, 28, 20, 57}) {
      const std::wstring name = FaceName(dc, fonts.Cell(FontKey{face, size}).font.Get());
      if (name.rfind(ExpectedFace(face, fonts.SymbolIsCambria()), 0) != 0) {
        Fault("face " + std::to_string(static_cast<int>(face)) + " size " +
              std::to_string(size) + " resolved to another family");
      }
    }
  }
}

void CheckLetterHeights(const kav::GlyphMetrics& metrics) {
  for (int32_t size : {40, 28, 20, 57}) {
    const int32_t height = kav::LetterHeight(metrics, size);
    if (height != size) {
      Fault("letter height at " + std::to_string(size) + " is " + std::to_string(height));
    }
  }
}

// Every code layout draws as a glyph (and the tilde accent), in every face choice and size.
void CheckCoverage(HDC dc, const kav::FontSet& fonts) {
  std::vector<kav::SymbolCode> codes;
  for (kav::SymbolCode code = 1; code <= 0xFFFF; ++code) {
    if (kav::IsLeafSymbol(code)) codes.push_back(code);
  }
  for (kav::SymbolCode code = kav::code::Placeholder; code <= kav::code::RedEscape; ++code) {
    if (kav::IsLeafSymbol(code)) codes.push_back(code);
  }
  for (kav::SymbolCode code : codes) {
    for (kav::StyleFlags style : {0u, kav::StyleRoman, kav::StyleBoldRoman, 3u}) {
      for (int32_t size : {40, 28, 20, 57}) {
        const FontKey key = kav::SelectGlyphFont(code, size, style);
        const HFONT font = fonts.Cell(key).font.Get();
        if (!HasGlyph(dc, font, fonts.GlyphOf(key, kav::GlyphUnit(code))) ||
            !HasGlyph(dc, font, fonts.GlyphOf(key, u'~'))) {
          Fault("no glyph for code " + std::to_string(code) + " in face " +
                std::to_string(static_cast<int>(key.face)) + " at " + std::to_string(size));
        }
      }
    }
  }
}

// The pixels a drawing through the program's canvas leaves on a white bitmap.
constexpr int kSide = 192;
std::vector<uint32_t> DrawnPixels(HDC screen, kav::DrawingResources& resources,
                                  const std::function<void(kav::Canvas&)>& draw) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), kSide, -kSide, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ previous = SelectObject(dc, bitmap);
  PatBlt(dc, 0, 0, kSide, kSide, WHITENESS);
  {
    kav::GdiCanvas canvas(dc, resources, RGB(255, 255, 255));
    draw(canvas);
  }
  GdiFlush();
  const auto* p = static_cast<const uint32_t*>(bits);
  std::vector<uint32_t> pixels(p, p + kSide * kSide);
  SelectObject(dc, previous);
  DeleteDC(dc);
  DeleteObject(bitmap);
  return pixels;
}

std::vector<uint32_t> DrawnPixels(HDC screen, kav::DrawingResources& resources, FontKey key,
                                  char16_t unit) {
  return DrawnPixels(screen, resources,
                     [&](kav::Canvas& canvas) { canvas.Glyph(key, unit, 16, 8, kav::kBlack); });
}

// Italic theta, kappa and rho come from Latin Modern Math's italic letters (past U+FFFF, so
// by glyph index): they draw ink, and not the variant letters' ink.
void CheckItalicGreek(HDC dc, kav::DrawingResources& resources) {
  const kav::FontSet& fonts = resources.fonts;
  const std::pair<char16_t, char16_t> pairs[] = {
      {u'\u03B8', u'\u03D1'}, {u'\u03BA', u'\u03F0'}, {u'\u03C1', u'\u03F1'}};
  for (auto [letter, variant] : pairs) {
    const FontKey key = kav::SelectGlyphFont(letter, 40, 0);
    const kav::GdiGlyph glyph = fonts.GlyphOf(key, letter);
    const std::vector<uint32_t> drawn = DrawnPixels(dc, resources, key, letter);
    const std::vector<uint32_t> blank(drawn.size(), drawn.front());
    if (key.face != FontFace::MathItalic || !glyph.byIndex || glyph.code == 0 || drawn == blank ||
        drawn == DrawnPixels(dc, resources, key, variant)) {
      Fault("italic Greek U+" + std::to_string(static_cast<int>(letter)) +
            " is not drawn from the math italic letters");
    }
  }
}

// "math units 1000", "math constant 5 250" (in the table's order), "math overlap 20".
void PrintMathTable(const kav::GlyphMetrics& metrics) {
  const kav::MathTable* table = metrics.Math();
  if (table == nullptr) return Fault("no MATH table read from the math face");
  std::printf("math units %d\n", table->UnitsPerEm());
  for (size_t i = 0; i < kav::kMathConstantCount; ++i) {
    std::printf("math constant %d %d\n", static_cast<int>(i),
                table->Constant(static_cast<kav::MathConstant>(i)));
  }
  std::printf("math overlap %d\n", table->MinConnectorOverlap());
}

std::string Named(FontKey key) {
  return "face " + std::to_string(static_cast<int>(key.face)) + " size " + std::to_string(key.size);
}

// Every font's baseline and em, printed; a drawn "x" ends on the baseline.
void CheckBaselinesAndEms(const kav::GlyphMetrics& metrics) {
  for (FontFace face : {FontFace::Italic, FontFace::Roman, FontFace::Bold, FontFace::Symbol,
                        FontFace::Math, FontFace::MathItalic, FontFace::MathBold}) {
    for (int32_t size : {20, 28, 40, 57}) {
      const FontKey key{face, size};
      const int32_t ascent = metrics.Ascent(key);
      std::printf("%s: ascent %d em %g\n", Named(key).c_str(), ascent, metrics.PixelsPerEm(key));
      const int32_t bottom = metrics.Ink(key, u'x').bottom;
      if (bottom < ascent - 1 || bottom > ascent + 1) {
        Fault(Named(key) + ": an x ends at " + std::to_string(bottom) + ", the baseline is " +
              std::to_string(ascent));
      }
    }
  }
}

uint16_t GlyphIndexOf(HDC screen, const kav::FontSet& fonts, FontKey key, char16_t unit) {
  kav::SelectedObject selected(screen, fonts.Cell(key).font.Get());
  const wchar_t text = static_cast<wchar_t>(unit);
  WORD index = 0;
  GetGlyphIndicesW(screen, &text, 1, &index, GGI_MARK_NONEXISTING_GLYPHS);
  return index == 0xFFFF ? 0 : index;
}

// Glyphs that have a code point, asked for by index: the same advance, ink, pixels and outline.
void CheckGlyphsByIndex(HDC screen, kav::DrawingResources& resources,
                        const kav::GlyphMetrics& metrics) {
  const std::pair<FontKey, char16_t> cases[] = {
      {{FontFace::Math, 40}, u'\u2211'}, {{FontFace::Math, 57}, u'\u222B'},
      {{FontFace::Math, 28}, u'x'},      {{FontFace::Symbol, 20}, u'\u2264'},
      {{FontFace::Italic, 40}, u'f'},    {{FontFace::Roman, 40}, u'7'}};
  const kav::GdiGlyphOutlines outlines(screen, resources.fonts);
  for (const auto& [key, unit] : cases) {
    const std::string named = Named(key) + " unit " + std::to_string(static_cast<int>(unit));
    const uint16_t glyph = GlyphIndexOf(screen, resources.fonts, key, unit);
    if (glyph == 0) {
      Fault(named + ": no glyph index");
      continue;
    }
    if (metrics.ExtentById(key, glyph) != metrics.Extent(key, unit)) Fault(named + ": extent");
    if (metrics.InkById(key, glyph) != metrics.Ink(key, unit) || metrics.Ink(key, unit).Empty()) {
      Fault(named + ": ink");
    }
    const auto byIndex = [&](kav::Canvas& canvas) {
      canvas.GlyphById(key, glyph, 16, 8, kav::kBlack);
    };
    if (DrawnPixels(screen, resources, byIndex) != DrawnPixels(screen, resources, key, unit)) {
      Fault(named + ": drawn pixels");
    }
    const kav::Outline a = outlines.GlyphOutlineById(key, glyph);
    const kav::Outline b = outlines.GlyphOutline(key, unit);
    if (a.Empty() || a.verbs != b.verbs || a.points != b.points) Fault(named + ": outline");
  }
}

// The display integral, which has no code point (the tallest of the MATH table's variants of the
// integral), inks taller than the text integral where its ink says; an index past the font is
// refused by name.
void CheckDisplayIntegral(HDC screen, kav::DrawingResources& resources,
                          const kav::GlyphMetrics& metrics) {
  const FontKey key{FontFace::Math, 40};
  const kav::MathTable* math = metrics.Math();
  if (math == nullptr) return Fault("no MATH table to find the display integral in");
  const auto variants = math->Variants(math->GlyphOf(U'\u222B'), true);
  if (variants.empty()) return Fault("the integral has no display variant");
  const uint16_t glyph = variants.back().glyph;
  const kav::GlyphInk display = metrics.InkById(key, glyph);
  const kav::GlyphInk text = metrics.Ink(key, u'\u222B');
  std::printf("display integral ink %d %d %d %d, text integral ink %d %d %d %d\n", display.left,
              display.top, display.right, display.bottom, text.left, text.top, text.right,
              text.bottom);
  if (2 * (display.bottom - display.top) < 3 * (text.bottom - text.top)) {
    Fault("the display integral is not taller than the text integral");
  }
  const std::vector<uint32_t> drawn = DrawnPixels(screen, resources, [&](kav::Canvas& canvas) {
    canvas.GlyphById(key, glyph, 40, 30, kav::kBlack);
  });
  kav::GlyphInk seen{kSide, kSide, 0, 0};
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) {
      if ((drawn[y * kSide + x] & 0xFFFFFF) == 0xFFFFFF) continue;
      seen = {std::min(seen.left, x - 40), std::min(seen.top, y - 30), std::max(seen.right, x - 39),
              std::max(seen.bottom, y - 29)};
    }
  }
  if (std::abs(seen.left - display.left) > 1 || std::abs(seen.top - display.top) > 1 ||
      std::abs(seen.right - display.right) > 1 || std::abs(seen.bottom - display.bottom) > 1) {
    Fault("the display integral is not drawn where its ink says");
  }
  try {
    metrics.ExtentById(key, 60000);
    Fault("an index past the font is measured");
  } catch (const kav::Failure& failure) {
    if (failure.text != u"The font Latin Modern Math has no glyph 60000") {
      Fault("an index past the font fails with another text");
    }
  }
}

}  // namespace

int main() {
  HDC dc = GetDC(nullptr);
  kav::DrawingResources resources;
  kav::FontSet& fonts = resources.fonts;
  fonts.Load(GetModuleHandleW(nullptr), dc);
  const kav::GdiGlyphMetrics metrics(nullptr, fonts);
  // The system may offer the same families; the embedded copies must install all the same.
  if (fonts.InstalledFaceCount() != 3) Fault("not every embedded face was installed");
  CheckFaces(dc, fonts);
  CheckLetterHeights(metrics);
  CheckCoverage(dc, fonts);
  CheckItalicGreek(dc, resources);
  CheckBaselinesAndEms(metrics);
  CheckGlyphsByIndex(dc, resources, metrics);
  CheckDisplayIntegral(dc, resources, metrics);
  PrintMathTable(metrics);
  ReleaseDC(nullptr, dc);
  std::printf("%d fault(s)\n", faults);
  return faults == 0 ? 0 : 1;
}
