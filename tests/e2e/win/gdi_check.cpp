// Checks the program's GDI fonts where they are used, under Wine: every face resolves to the
// embedded file it names, letter heights are the cell heights layout expects, and no symbol the
// editor can insert is drawn from a face without a glyph for it. Prints one line per fault and
// exits with 1 when there is any. Also prints the math face's MATH constants as GDI hands out
// the file, for the test to compare with the font file itself.
#include <cstdio>
#include <string>
#include <vector>

#include "app/font_set.h"
#include "app/gdi_glyph.h"
#include "app/gdi_glyph_metrics.h"
#include "app/win32.h"
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

// The pixels one glyph leaves on a white 64 x 64 bitmap, drawn as the program's canvas draws it.
std::vector<uint32_t> DrawnPixels(HDC screen, const kav::FontSet& fonts, FontKey key,
                                  char16_t unit) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 64, -64, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ previous = SelectObject(dc, bitmap);
  PatBlt(dc, 0, 0, 64, 64, WHITENESS);
  SetBkMode(dc, TRANSPARENT);
  SetTextAlign(dc, TA_BASELINE | TA_LEFT);
  const kav::FontCell& cell = fonts.Cell(key);
  HGDIOBJ font = SelectObject(dc, cell.font.Get());
  kav::GdiDrawGlyph(dc, fonts.GlyphOf(key, unit), 16, 8 + cell.ascent);
  GdiFlush();
  const auto* p = static_cast<const uint32_t*>(bits);
  std::vector<uint32_t> pixels(p, p + 64 * 64);
  SelectObject(dc, font);
  SelectObject(dc, previous);
  DeleteDC(dc);
  DeleteObject(bitmap);
  return pixels;
}

// Italic theta, kappa and rho come from Latin Modern Math's italic letters (past U+FFFF, so
// by glyph index): they draw ink, and not the variant letters' ink.
void CheckItalicGreek(HDC dc, const kav::FontSet& fonts) {
  const std::pair<char16_t, char16_t> pairs[] = {
      {u'\u03B8', u'\u03D1'}, {u'\u03BA', u'\u03F0'}, {u'\u03C1', u'\u03F1'}};
  for (auto [letter, variant] : pairs) {
    const FontKey key = kav::SelectGlyphFont(letter, 40, 0);
    const kav::GdiGlyph glyph = fonts.GlyphOf(key, letter);
    const std::vector<uint32_t> drawn = DrawnPixels(dc, fonts, key, letter);
    const std::vector<uint32_t> blank(drawn.size(), drawn.front());
    if (key.face != FontFace::MathItalic || !glyph.byIndex || glyph.code == 0 || drawn == blank ||
        drawn == DrawnPixels(dc, fonts, key, variant)) {
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

}  // namespace

int main() {
  HDC dc = GetDC(nullptr);
  kav::FontSet fonts;
  fonts.Load(GetModuleHandleW(nullptr), dc);
  const kav::GdiGlyphMetrics metrics(nullptr, fonts);
  // The system may offer the same families; the embedded copies must install all the same.
  if (fonts.InstalledFaceCount() != 3) Fault("not every embedded face was installed");
  CheckFaces(dc, fonts);
  CheckLetterHeights(metrics);
  CheckCoverage(dc, fonts);
  CheckItalicGreek(dc, fonts);
  PrintMathTable(metrics);
  ReleaseDC(nullptr, dc);
  std::printf("%d fault(s)\n", faults);
  return faults == 0 ? 0 : 1;
}
