// libFuzzer target for the MATH table reader: the input is a MATH table (the seed is Latin Modern
// Math's own), read behind a font's table directory, and also the input read as a whole font
// file. Either reads or fails with a text naming the font file or the table; whatever reads
// answers every question about its glyphs without reading outside what it kept.
#include <cstdint>
#include <string>
#include <vector>

#include "base/failure.h"
#include "base/math_table.h"
#include "fuzz_target.h"
#include "sfnt_builder.h"

namespace kav {

const char kFuzzTarget[] = "math_table";

namespace {

void CheckFailureText(const std::u16string& text) {
  Check(text.starts_with(u"MATH table: ") || text.starts_with(u"Font file: ") ||
            text.starts_with(u"head table: "),
        "failure text without its table's name");
}

// Asks everything of one glyph; the answers must hold together.
void AskGlyph(const MathTable& table, uint16_t glyph) {
  table.ItalicCorrection(glyph);
  table.TopAccentAttachment(glyph);
  table.IsExtendedShape(glyph);
  for (int corner = 0; corner < 4; ++corner) {
    for (int32_t height : {-40000, -1, 0, 1, 250, 40000}) {
      table.Kern(glyph, static_cast<MathKernCorner>(corner), height);
    }
  }
  for (bool vertical : {true, false}) {
    for (const MathGlyphVariant& variant : table.Variants(glyph, vertical)) {
      Check(variant.advance >= 0 && variant.advance <= 0xFFFF, "variant advance out of range");
    }
    if (const MathGlyphAssembly* assembly = table.Assembly(glyph, vertical)) {
      for (const MathGlyphPart& part : assembly->parts) {
        Check(part.fullAdvance >= 0 && part.fullAdvance <= 0xFFFF, "part advance out of range");
      }
    }
  }
}

void Read(const std::vector<uint8_t>& font, bool holdsMath) {
  try {
    const MathTable table = MathTable::FromFont(font);
    Check(table.UnitsPerEm() >= 16 && table.UnitsPerEm() <= 16384, "units per em out of range");
    for (uint32_t glyph = 0; glyph < 600; ++glyph) AskGlyph(table, static_cast<uint16_t>(glyph));
    for (char32_t code : {U'a', U'\u2211', U'\U0001D44E'}) table.GlyphOf(code);
    Check(table.HasTable() || !holdsMath, "MATH table lost");
  } catch (const Failure& failure) {
    CheckFailureText(failure.text);
  }
}

}  // namespace
}  // namespace kav

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace kav;
  const std::vector<uint8_t> bytes(data, data + size);
  Read(test::SfntFile({{"head", test::HeadTable()}, {"MATH", bytes}}), !bytes.empty());
  Read(bytes, false);
  return 0;
}
