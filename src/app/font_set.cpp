#include "app/font_set.h"

#include <string>

#include "app/resource_ids.h"
#include "app/wide_text.h"
#include "base/failure.h"
#include "base/sfnt_cmap.h"
#include "base/utf.h"
#include "typeset/font_choice.h"

namespace kav {
namespace {

constexpr wchar_t kItalicFace[] = L"CMU Serif Italic";
constexpr wchar_t kRomanFace[] = L"CMU Serif Roman";
constexpr wchar_t kMathFace[] = L"Latin Modern Math";
constexpr wchar_t kCambriaFace[] = L"Cambria";

struct FontRow {
  FontFace face;
  int32_t size;
};

// The documented thirteen first, in their order; then the math face, which covers what the CMU
// faces lack; then the keys font choice never asks for, so that every key has a font.
constexpr FontRow kCreationOrder[] = {
    {FontFace::Italic, 40}, {FontFace::Italic, 28}, {FontFace::Italic, 20},
    {FontFace::Roman, 40},  {FontFace::Roman, 28},  {FontFace::Roman, 20},
    {FontFace::Roman, 57},  {FontFace::Bold, 40},   {FontFace::Bold, 28},
    {FontFace::Bold, 20},   {FontFace::Symbol, 40}, {FontFace::Symbol, 28},
    {FontFace::Symbol, 20}, {FontFace::Math, 40},   {FontFace::Math, 28},
    {FontFace::Math, 20},   {FontFace::Math, 57},   {FontFace::Italic, 57},
    {FontFace::Bold, 57},   {FontFace::Symbol, 57}, {FontFace::MathItalic, 40},
    {FontFace::MathItalic, 28}, {FontFace::MathItalic, 20}, {FontFace::MathItalic, 57},
    {FontFace::MathBold, 40},   {FontFace::MathBold, 28},   {FontFace::MathBold, 20},
    {FontFace::MathBold, 57},
};

// A missing or unreadable face resource is skipped: the face name then resolves to whatever the
// system offers.
HANDLE InstallFace(HINSTANCE instance, int id) {
  HRSRC info = FindResourceW(instance, MAKEINTRESOURCEW(id), L"BINARY");
  HGLOBAL loaded = info != nullptr ? LoadResource(instance, info) : nullptr;
  void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (data == nullptr) return nullptr;
  DWORD installed = 0;
  return AddFontMemResourceEx(data, SizeofResource(instance, info), nullptr, &installed);
}

int CALLBACK NoteFamily(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool SystemHasFamily(HDC dc, const wchar_t* family) {
  LOGFONTW query{};
  query.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(query.lfFaceName, family, LF_FACESIZE);
  bool found = false;
  EnumFontFamiliesExW(dc, &query, &NoteFamily, reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

HFONT MakeFont(int32_t height, int weight, bool italic, const wchar_t* face) {
  return CreateFontW(height, 0, 0, 0, weight, italic ? TRUE : FALSE, FALSE, FALSE, ANSI_CHARSET,
                     0, 0, 0, 0, face);
}

std::vector<uint8_t> CmapOf(HDC dc, HFONT font) {
  SelectedObject selected(dc, font);
  constexpr DWORD kCmap = 0x70616D63;  // 'cmap', as GetFontData takes a table tag
  const DWORD size = GetFontData(dc, kCmap, 0, nullptr, 0);
  if (size == GDI_ERROR || size == 0) return {};
  std::vector<uint8_t> table(size);
  if (GetFontData(dc, kCmap, 0, table.data(), size) != size) return {};
  return table;
}

// The whole font file behind `font` (GetFontData with no table tag), read into a MathTable; an
// empty table when GDI gives no file.
MathTable MathOf(HDC dc, HFONT font) {
  SelectedObject selected(dc, font);
  const DWORD size = GetFontData(dc, 0, 0, nullptr, 0);
  if (size == GDI_ERROR || size == 0) return {};
  std::vector<uint8_t> file(size);
  if (GetFontData(dc, 0, 0, file.data(), size) != size) return {};
  return MathTable::FromFont(file);
}

TEXTMETRICW MetricsOf(HDC dc, HFONT font) {
  TEXTMETRICW metrics{};
  SelectedObject selected(dc, font);
  GetTextMetricsW(dc, &metrics);
  return metrics;
}

}  // namespace

size_t FontSet::Slot(FontKey key) {
  const size_t sizeSlot = key.size == 40 ? 0 : key.size == 28 ? 1 : key.size == 57 ? 3 : 2;
  return static_cast<size_t>(key.face) * kSizeSlots + sizeSlot;
}

const FontCell& FontSet::Cell(FontKey key) const { return cells[Slot(key)]; }

void FontSet::Load(HINSTANCE instance, HDC dc) {
  for (int id : {IDR_FONT_CMU_ITALIC, IDR_FONT_CMU_ROMAN, IDR_FONT_LM_MATH}) {
    if (HANDLE face = InstallFace(instance, id)) faces.emplace_back(face);
  }
  cambria = SystemHasFamily(dc, kCambriaFace);
  for (const FontRow& row : kCreationOrder) Create(row.face, row.size, dc);
  mathCmap = CmapOf(dc, Cell({FontFace::MathItalic, 40}).font.Get());
  math = MathOf(dc, Cell({FontFace::Math, 40}).font.Get());
}

GdiGlyph FontSet::GlyphOf(FontKey key, char16_t unit) const {
  const char32_t code = DrawnCodePoint(key.face, unit);
  if (code <= 0xFFFF) return GdiGlyph{static_cast<UINT>(code), false};
  return GdiGlyph{CmapGlyphIndex(mathCmap, code), true};
}

GdiGlyph FontSet::GlyphById(FontKey key, uint16_t glyph) const {
  const FontCell& cell = Cell(key);
  if (glyph >= cell.glyphCount) {
    Fail(u"The font " + FromWide(cell.family) + u" has no glyph " + Ascii16(std::to_string(glyph)));
  }
  return GdiGlyph{glyph, true};
}

void FontSet::Describe(FontCell& cell, HDC dc) {
  SelectedObject selected(dc, cell.font.Get());
  wchar_t family[LF_FACESIZE] = {};
  GetTextFaceW(dc, LF_FACESIZE, family);
  cell.family = family;
  constexpr DWORD kMaxp = 0x7078616D;  // 'maxp': its glyph count is the big-endian word at 4
  uint8_t count[2] = {};
  cell.glyphCount = GetFontData(dc, kMaxp, 4, count, 2) == 2 ? count[0] << 8 | count[1] : 0;
}

void FontSet::Create(FontFace face, int32_t size, HDC dc) {
  if (face == FontFace::Math || face == FontFace::MathItalic || face == FontFace::MathBold ||
      (face == FontFace::Symbol && !cambria)) {
    return CreateMathLike(face, size, dc);
  }
  FontCell& cell = cells[Slot({face, size})];
  switch (face) {
    case FontFace::Italic: cell.font = GdiObject<HFONT>(MakeFont(size, 0, true, kItalicFace)); break;
    case FontFace::Roman: cell.font = GdiObject<HFONT>(MakeFont(size, 0, false, kRomanFace)); break;
    case FontFace::Bold: cell.font = GdiObject<HFONT>(MakeFont(size, 700, false, kRomanFace)); break;
    case FontFace::Symbol:
    case FontFace::Math:
    case FontFace::MathItalic:
    case FontFace::MathBold: cell.font = GdiObject<HFONT>(MakeFont(size, 0, false, kCambriaFace)); break;
  }
  const TEXTMETRICW metrics = MetricsOf(dc, cell.font.Get());
  cell.ascent = metrics.tmAscent;
  cell.height = metrics.tmHeight;
  cell.em = metrics.tmHeight - metrics.tmInternalLeading;
  Describe(cell, dc);
}

// The math face's own cell is several times its em (its ascent and descent make room for big
// operators), so a cell-height font of it would draw tiny glyphs. It is made with the em of the
// roman face at the same cell height instead, and stands in that face's cell and baseline.
void FontSet::CreateMathLike(FontFace face, int32_t size, HDC dc) {
  const FontCell& roman = cells[Slot({FontFace::Roman, size})];
  const TEXTMETRICW metrics = MetricsOf(dc, roman.font.Get());
  FontCell& cell = cells[Slot({face, size})];
  const int32_t em = metrics.tmHeight - metrics.tmInternalLeading;
  cell.font = GdiObject<HFONT>(MakeFont(-em, 0, false, kMathFace));
  cell.ascent = roman.ascent;
  cell.height = roman.height;
  cell.em = em;
  Describe(cell, dc);
}

}  // namespace kav
