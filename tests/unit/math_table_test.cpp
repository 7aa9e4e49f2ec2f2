// The MATH table reader on hand-made fonts: what it answers, and the failure each kind of damage
// gives. The check of every value of a real font against HarfBuzz is tests/harfbuzz.
#include "base/math_table.h"

#include <gtest/gtest.h>

#include <string>

#include "base/failure.h"
#include "base/utf.h"
#include "native/freetype_fonts.h"
#include "sfnt_builder.h"
#include "typeset/glyph_measure.h"

namespace kav {
namespace {

using test::FontWithMath;
using test::Joined;
using test::Words;

// A copy of `bytes` with the 16-bit word at `at` replaced.
std::vector<uint8_t> Patched(std::vector<uint8_t> bytes, size_t at, int32_t word) {
  bytes[at] = static_cast<uint8_t>((word >> 8) & 0xFF);
  bytes[at + 1] = static_cast<uint8_t>(word & 0xFF);
  return bytes;
}

std::vector<uint8_t> Cut(std::vector<uint8_t> bytes, size_t size) {
  bytes.resize(size);
  return bytes;
}

// Glyph 3 grows vertically through variants 3 (advance 500) and 4 (900), then an assembly of
// glyph 10 (bottom) and glyph 11 (the extender), italic correction 15; connectors overlap 20.
std::vector<uint8_t> VariantsMathTable() {
  return Joined({
      Words({1, 0, 0, 0, 10}),         // header: variants at 10
      Words({20, 12, 0, 1, 0, 18}),    // one vertical construction, at +18
      Words({1, 1, 3}),                // coverage: glyph 3
      Words({12, 2, 3, 500, 4, 900}),  // construction: assembly at +12, two variants
      Words({15, 0, 2, 10, 0, 50, 300, 0, 11, 50, 50, 200, 1}),  // assembly: two parts
  });
}

// Three glyphs whose constructions start 4 bytes apart in one run of records, each counting
// 100 variants: together they would keep three times the bytes the table has.
std::vector<uint8_t> OverlappingMathTable() {
  std::vector<uint8_t> table = Joined({
      Words({1, 0, 0, 0, 10}), Words({0, 16, 0, 3, 0, 26, 30, 34}),  // three vertical constructions
      Words({2, 1, 0, 2, 0}),                                        // coverage: glyphs 0 to 2
  });
  for (int i = 0; i < 103; ++i) table = Joined({table, Words({0, 100})});
  return table;
}

TEST(MathTable, MalformedFontsAreRefusedByName) {
  const std::vector<uint8_t> kern = FontWithMath(test::KernMathTable());
  const size_t math = kern.size() - test::KernMathTable().size();  // where MATH starts
  const struct {
    const char* name;
    std::vector<uint8_t> font;
    const char* text;
  } cases[] = {
      {"empty", {}, "Font file: too short for a table directory"},
      {"collection", Words({0x7474, 0x6366, 0, 1, 0, 0}),
       "Font file: not an OpenType or TrueType font"},
      {"directory cut", Cut(kern, 30), "Font file: table directory past the end"},
      {"table cut", Cut(kern, kern.size() - 4), "Font file: MATH table past the end"},
      {"no head", test::SfntFile({{"MATH", test::KernMathTable()}}), "head table: missing"},
      {"no units per em", test::SfntFile({{"head", test::HeadTable(0)}}),
       "head table: units per em out of range"},
      {"header cut", FontWithMath(Words({1, 0, 0})), "MATH table: header past the end"},
      {"version 2", FontWithMath(Words({2, 0, 0, 0, 0})), "MATH table: major version is not 1"},
      {"constants past the end", FontWithMath(Words({1, 0, 200, 0, 0})),
       "MATH table: constants past the end"},
      {"constants cut", FontWithMath(Joined({Words({1, 0, 10, 0, 0}), Words({50, 60, 1, 2})})),
       "MATH table: constants past the end"},
      {"coverage count too large", Patched(kern, math + 40, 300),
       "MATH table: coverage count too large"},
      {"coverage format 3", Patched(kern, math + 38, 3), "MATH table: unknown coverage format"},
      {"coverage range backwards",
       Patched(Patched(Patched(kern, math + 38, 2), math + 40, 1), math + 42, 9),
       "MATH table: coverage ranges out of order"},
      {"kern heights past the end", Patched(kern, math + 48, 200),
       "MATH table: kern table past the end"},
      {"kern offset past the end", Patched(kern, math + 22, 500),
       "MATH table: kern info past the end"},
      {"assembly parts past the end",
       Patched(FontWithMath(VariantsMathTable()), FontWithMath(VariantsMathTable()).size() - 24, 9),
       "MATH table: assembly part count too large"},
      {"overlapping constructions", FontWithMath(OverlappingMathTable()),
       "MATH table: more records than the table's bytes hold"},
  };
  for (const auto& c : cases) {
    try {
      MathTable::FromFont(c.font);
      ADD_FAILURE() << c.name << ": read without a failure";
    } catch (const Failure& failure) {
      EXPECT_EQ(EncodeUtf8(failure.text), c.text) << c.name;
    }
  }
}

TEST(MathTable, KernStepsStartAtTheirCorrectionHeights) {
  const MathTable table = MathTable::FromFont(FontWithMath(test::KernMathTable()));
  const int32_t heights[] = {-1000, 99, 100, 101, 299, 300, 5000};
  const struct {
    uint16_t glyph;
    MathKernCorner corner;
    std::vector<int32_t> kerns;  // at each of the heights
  } cases[] = {
      {5, MathKernCorner::TopRight, {10, 10, 20, 20, 20, 30, 30}},
      {5, MathKernCorner::BottomLeft, {10, 10, 20, 20, 20, 30, 30}},
      {5, MathKernCorner::TopLeft, {-7, -7, -7, -7, -7, -7, -7}},
      {5, MathKernCorner::BottomRight, {0, 0, 0, 0, 0, 0, 0}},
      {7, MathKernCorner::BottomRight, {-7, -7, -7, -7, -7, -7, -7}},
      {9, MathKernCorner::BottomRight, {0, 0, 0, 0, 0, 0, 0}},  // covered past the records
      {4, MathKernCorner::TopRight, {0, 0, 0, 0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    for (size_t i = 0; i < std::size(heights); ++i) {
      EXPECT_EQ(table.Kern(c.glyph, c.corner, heights[i]), c.kerns[i])
          << "glyph " << c.glyph << " corner " << static_cast<int>(c.corner) << " height "
          << heights[i];
    }
  }
}

TEST(MathTable, RangeCoverageIndexesFromItsStart) {
  // Glyphs 5 to 9 as one range: glyph 6 takes the second record (-7 on its bottom right).
  const std::vector<uint8_t> kern = FontWithMath(test::KernMathTable());
  const size_t math = kern.size() - test::KernMathTable().size();
  const MathTable table = MathTable::FromFont(Patched(
      Patched(Patched(Patched(kern, math + 38, 2), math + 40, 1), math + 42, 5), math + 46, 0));
  EXPECT_EQ(table.Kern(5, MathKernCorner::TopRight, 200), 20);
  EXPECT_EQ(table.Kern(6, MathKernCorner::BottomRight, 0), -7);
  EXPECT_EQ(table.Kern(7, MathKernCorner::BottomRight, 0), 0);
}

TEST(MathTable, VariantsAndAssembly) {
  const MathTable table = MathTable::FromFont(FontWithMath(VariantsMathTable()));
  EXPECT_EQ(table.MinConnectorOverlap(), 20);
  const std::vector<MathGlyphVariant> variants = {{3, 500}, {4, 900}};
  const auto found = table.Variants(3, true);
  EXPECT_EQ(std::vector(found.begin(), found.end()), variants);
  EXPECT_TRUE(table.Variants(3, false).empty());
  EXPECT_TRUE(table.Variants(4, true).empty());
  const MathGlyphAssembly* assembly = table.Assembly(3, true);
  ASSERT_NE(assembly, nullptr);
  EXPECT_EQ(assembly->italicCorrection, 15);
  const std::vector<MathGlyphPart> parts = {{10, 0, 50, 300, false}, {11, 50, 50, 200, true}};
  EXPECT_EQ(assembly->parts, parts);
  EXPECT_EQ(table.Assembly(3, false), nullptr);
}

// A format 4 map: A to C on glyphs 10 to 12 by a delta, a and b through the index array (b to
// none), and the closing segment.
std::vector<uint8_t> CmapTable() {
  return Joined({Words({0, 1, 3, 1, 0, 12}), Words({4, 40, 0, 6, 0, 0, 0}),
                 Words({0x43, 0x62, 0xFFFF, 0}),       // end codes, pad
                 Words({0x41, 0x61, 0xFFFF}),          // start codes
                 Words({(10 - 0x41) & 0xFFFF, 0, 1}),  // deltas
                 Words({0, 4, 0}),                     // index array offsets
                 Words({20, 0})});
}

TEST(MathTable, FontWithoutMathStillMapsCharacters) {
  const MathTable table =
      MathTable::FromFont(test::SfntFile({{"cmap", CmapTable()}, {"head", test::HeadTable(2048)}}));
  EXPECT_FALSE(table.HasTable());
  EXPECT_EQ(table.UnitsPerEm(), 2048);
  const std::pair<char32_t, uint16_t> glyphs[] = {{U'@', 0},      {U'A', 10},        {U'C', 12},
                                                  {U'D', 0},      {U'a', 20},        {U'b', 0},
                                                  {U'\uFFFF', 0}, {U'\U0001D400', 0}};
  for (const auto& [code, glyph] : glyphs) {
    EXPECT_EQ(table.GlyphOf(code), glyph) << static_cast<uint32_t>(code);
  }
  EXPECT_EQ(table.Constant(MathConstant::AxisHeight), 0);
}

// The native fonts read Latin Modern Math's table once, and the measuring cache hands out that
// same table.
TEST(MathTable, NativeFontsReadTheMathFontsTable) {
  const FreeTypeFonts fonts(InstalledFontFiles());
  const CachedGlyphMetrics cached(fonts);
  const MathTable* table = fonts.Math();
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(cached.Math(), table);
  EXPECT_EQ(table->UnitsPerEm(), 1000);
  const std::pair<MathConstant, int32_t> constants[] = {
      {MathConstant::ScriptPercentScaleDown, 70},
      {MathConstant::AxisHeight, 250},
      {MathConstant::FractionRuleThickness, 40},
      {MathConstant::SuperscriptShiftUp, 363},
      {MathConstant::SubscriptShiftDown, 247},
      {MathConstant::RadicalKernAfterDegree, -556},
      {MathConstant::RadicalDegreeBottomRaisePercent, 60}};
  for (const auto& [constant, value] : constants) {
    EXPECT_EQ(table->Constant(constant), value) << static_cast<int>(constant);
  }
  const uint16_t paren = table->GlyphOf(U'(');
  EXPECT_EQ(paren, fonts.GlyphIndex(FontFace::Math, U'('));
  EXPECT_EQ(table->Variants(paren, true).size(), 8u);
  ASSERT_NE(table->Assembly(paren, true), nullptr);
  EXPECT_EQ(table->Assembly(paren, true)->parts.size(), 3u);
}

}  // namespace
}  // namespace kav
