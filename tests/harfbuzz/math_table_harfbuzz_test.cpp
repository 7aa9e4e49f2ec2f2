// The MATH table reader against HarfBuzz's, over every constant and every glyph of Latin Modern
// Math: HarfBuzz is asked in font units (its scale set to the units per em), so both must give
// the very numbers the file holds.
#include <gtest/gtest.h>
#include <hb-ot.h>
#include <hb.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "base/math_table.h"
#include "native/font_files.h"
#include "sfnt_builder.h"

namespace kav {
namespace {

// How many values of each kind were compared and how many agreed; a disagreement also fails
// the test with the glyph and the values.
class Tally {
 public:
  template <typename T>
  void Compare(const char* kind, uint32_t glyph, const T& ours, const T& theirs) {
    Count& count = counts_[kind];
    ++count.compared;
    if (ours == theirs) {
      ++count.agreed;
    } else if (count.compared - count.agreed <= 5) {
      ADD_FAILURE() << kind << " of glyph " << glyph << " differs";
    }
  }
  void Print() const {
    size_t compared = 0, agreed = 0;
    for (const auto& [kind, count] : counts_) {
      std::printf("%-28s %9zu compared, %9zu agreed\n", kind.c_str(), count.compared, count.agreed);
      compared += count.compared;
      agreed += count.agreed;
    }
    std::printf("%-28s %9zu compared, %9zu agreed\n", "all", compared, agreed);
    EXPECT_EQ(agreed, compared);
  }

 private:
  struct Count {
    size_t compared = 0, agreed = 0;
  };
  std::map<std::string, Count> counts_;
};

struct HarfBuzzFont {
  hb_blob_t* blob;
  hb_face_t* face;
  hb_font_t* font;
  explicit HarfBuzzFont(const std::vector<uint8_t>& bytes)
      : blob(hb_blob_create(reinterpret_cast<const char*>(bytes.data()),
                            static_cast<unsigned>(bytes.size()), HB_MEMORY_MODE_READONLY, nullptr,
                            nullptr)),
        face(hb_face_create(blob, 0)),
        font(hb_font_create(face)) {
    const int upem = static_cast<int>(hb_face_get_upem(face));
    hb_font_set_scale(font, upem, upem);
  }
  ~HarfBuzzFont() {
    hb_font_destroy(font);
    hb_face_destroy(face);
    hb_blob_destroy(blob);
  }
};

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(file)), {});
}

std::vector<MathGlyphVariant> HbVariants(hb_font_t* font, uint16_t glyph, bool vertical) {
  const hb_direction_t direction = vertical ? HB_DIRECTION_TTB : HB_DIRECTION_LTR;
  hb_ot_math_glyph_variant_t variants[256];
  unsigned count = 256;
  hb_ot_math_get_glyph_variants(font, glyph, direction, 0, &count, variants);
  std::vector<MathGlyphVariant> out;
  for (unsigned i = 0; i < count; ++i) {
    out.push_back({static_cast<uint16_t>(variants[i].glyph), variants[i].advance});
  }
  return out;
}

// The parts and the italic correction; no parts when the glyph has no assembly.
std::pair<std::vector<MathGlyphPart>, int32_t> HbAssembly(hb_font_t* font, uint16_t glyph,
                                                          bool vertical) {
  const hb_direction_t direction = vertical ? HB_DIRECTION_TTB : HB_DIRECTION_LTR;
  hb_ot_math_glyph_part_t parts[64];
  unsigned count = 64;
  hb_position_t italic = 0;
  hb_ot_math_get_glyph_assembly(font, glyph, direction, 0, &count, parts, &italic);
  std::vector<MathGlyphPart> out;
  for (unsigned i = 0; i < count; ++i) {
    out.push_back({static_cast<uint16_t>(parts[i].glyph), parts[i].start_connector_length,
                   parts[i].end_connector_length, parts[i].full_advance,
                   (parts[i].flags & HB_OT_MATH_GLYPH_PART_FLAG_EXTENDER) != 0});
  }
  return {out, italic};
}

void CompareGlyph(const MathTable& table, hb_font_t* font, uint16_t glyph, Tally& tally) {
  tally.Compare("italic correction", glyph, table.ItalicCorrection(glyph),
                hb_ot_math_get_glyph_italics_correction(font, glyph));
  // HarfBuzz answers half the advance for a glyph without an attachment.
  const std::optional<int32_t> accent = table.TopAccentAttachment(glyph);
  tally.Compare("top accent attachment", glyph,
                accent.value_or(hb_font_get_glyph_h_advance(font, glyph) / 2),
                hb_ot_math_get_glyph_top_accent_attachment(font, glyph));
  tally.Compare("extended shape", glyph, table.IsExtendedShape(glyph),
                hb_ot_math_is_glyph_extended_shape(hb_font_get_face(font), glyph) != 0);
  for (bool vertical : {true, false}) {
    const std::span<const MathGlyphVariant> variants = table.Variants(glyph, vertical);
    tally.Compare("variants", glyph, std::vector(variants.begin(), variants.end()),
                  HbVariants(font, glyph, vertical));
    const MathGlyphAssembly* assembly = table.Assembly(glyph, vertical);
    const auto theirs = HbAssembly(font, glyph, vertical);
    tally.Compare("assembly parts", glyph,
                  assembly ? assembly->parts : std::vector<MathGlyphPart>{}, theirs.first);
    tally.Compare("assembly italic correction", glyph, assembly ? assembly->italicCorrection : 0,
                  theirs.second);
  }
}

// Every height from well below the baseline to well above the tallest glyph: dense enough to
// land on each correction height and on both sides of it. A step starts at its correction
// height; HarfBuzz ends it there instead (it takes the first height "greater or equal"), so in
// whole font units our kern at h is HarfBuzz's at h + 1.
void CompareKerns(const MathTable& table, hb_font_t* font, uint16_t glyph, Tally& tally) {
  static constexpr hb_ot_math_kern_t kCorners[] = {
      HB_OT_MATH_KERN_TOP_RIGHT, HB_OT_MATH_KERN_TOP_LEFT, HB_OT_MATH_KERN_BOTTOM_RIGHT,
      HB_OT_MATH_KERN_BOTTOM_LEFT};
  for (size_t corner = 0; corner < 4; ++corner) {
    const bool kerned =
        hb_ot_math_get_glyph_kerning(font, glyph, kCorners[corner], -1000000) != 0 ||
        hb_ot_math_get_glyph_kerning(font, glyph, kCorners[corner], 1000000) != 0;
    const int step = kerned ? 1 : 97;
    for (int32_t height = -1500; height <= 3000; height += step) {
      tally.Compare("kern", glyph, table.Kern(glyph, static_cast<MathKernCorner>(corner), height),
                    hb_ot_math_get_glyph_kerning(font, glyph, kCorners[corner], height + 1));
    }
  }
}

// Latin Modern Math has no kerns: a hand-made table with steps checks the step function, on
// each correction height and beside it.
TEST(MathTableAgainstHarfBuzz, KernSteps) {
  const std::vector<uint8_t> bytes = test::FontWithMath(test::KernMathTable());
  const MathTable table = MathTable::FromFont(bytes);
  const HarfBuzzFont hb(bytes);
  Tally tally;
  for (uint16_t glyph : {4, 5, 7, 9}) CompareKerns(table, hb.font, glyph, tally);
  tally.Print();
}

TEST(MathTableAgainstHarfBuzz, EveryConstantAndEveryGlyphOfLatinModernMath) {
  const std::vector<uint8_t> bytes = ReadFile(InstalledFontFiles().math);
  ASSERT_FALSE(bytes.empty());
  const MathTable table = MathTable::FromFont(bytes);
  const HarfBuzzFont hb(bytes);
  ASSERT_TRUE(hb_ot_math_has_data(hb.face));
  ASSERT_TRUE(table.HasTable());
  Tally tally;
  tally.Compare("units per em", 0, table.UnitsPerEm(),
                static_cast<int32_t>(hb_face_get_upem(hb.face)));
  for (size_t i = 0; i < kMathConstantCount; ++i) {
    tally.Compare("constant", static_cast<uint32_t>(i),
                  table.Constant(static_cast<MathConstant>(i)),
                  hb_ot_math_get_constant(hb.font, static_cast<hb_ot_math_constant_t>(i)));
  }
  tally.Compare("min connector overlap", 0, table.MinConnectorOverlap(),
                hb_ot_math_get_min_connector_overlap(hb.font, HB_DIRECTION_TTB));
  const unsigned glyphs = hb_face_get_glyph_count(hb.face);
  ASSERT_GT(glyphs, 1000u);
  for (unsigned glyph = 0; glyph < glyphs; ++glyph) {
    CompareGlyph(table, hb.font, static_cast<uint16_t>(glyph), tally);
    CompareKerns(table, hb.font, static_cast<uint16_t>(glyph), tally);
  }
  for (char32_t code = 0; code <= 0x10FFFF; ++code) {
    hb_codepoint_t glyph = 0;
    hb_font_get_nominal_glyph(hb.font, code, &glyph);
    tally.Compare("character map", code, uint32_t{table.GlyphOf(code)}, glyph);
  }
  tally.Print();
}

}  // namespace
}  // namespace kav
