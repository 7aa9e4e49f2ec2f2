// The OpenType MATH table of one font, with the font's character map: the constants, per-glyph
// italic corrections, top-accent attachments and kerns, and the larger variants and assemblies a
// glyph grows by, as the font file holds them. Values are in font units; callers scale them by
// the em they draw at. Read once per font: every question afterwards is a look-up.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "base/sfnt_cmap.h"

namespace kav {

// In the order of the table's MathConstants record (and of HarfBuzz's hb_ot_math_constant_t).
enum class MathConstant : uint8_t {
  ScriptPercentScaleDown,
  ScriptScriptPercentScaleDown,
  DelimitedSubFormulaMinHeight,
  DisplayOperatorMinHeight,
  MathLeading,
  AxisHeight,
  AccentBaseHeight,
  FlattenedAccentBaseHeight,
  SubscriptShiftDown,
  SubscriptTopMax,
  SubscriptBaselineDropMin,
  SuperscriptShiftUp,
  SuperscriptShiftUpCramped,
  SuperscriptBottomMin,
  SuperscriptBaselineDropMax,
  SubSuperscriptGapMin,
  SuperscriptBottomMaxWithSubscript,
  SpaceAfterScript,
  UpperLimitGapMin,
  UpperLimitBaselineRiseMin,
  LowerLimitGapMin,
  LowerLimitBaselineDropMin,
  StackTopShiftUp,
  StackTopDisplayStyleShiftUp,
  StackBottomShiftDown,
  StackBottomDisplayStyleShiftDown,
  StackGapMin,
  StackDisplayStyleGapMin,
  StretchStackTopShiftUp,
  StretchStackBottomShiftDown,
  StretchStackGapAboveMin,
  StretchStackGapBelowMin,
  FractionNumeratorShiftUp,
  FractionNumeratorDisplayStyleShiftUp,
  FractionDenominatorShiftDown,
  FractionDenominatorDisplayStyleShiftDown,
  FractionNumeratorGapMin,
  FractionNumDisplayStyleGapMin,
  FractionRuleThickness,
  FractionDenominatorGapMin,
  FractionDenomDisplayStyleGapMin,
  SkewedFractionHorizontalGap,
  SkewedFractionVerticalGap,
  OverbarVerticalGap,
  OverbarRuleThickness,
  OverbarExtraAscender,
  UnderbarVerticalGap,
  UnderbarRuleThickness,
  UnderbarExtraDescender,
  RadicalVerticalGap,
  RadicalDisplayStyleVerticalGap,
  RadicalRuleThickness,
  RadicalExtraAscender,
  RadicalKernBeforeDegree,
  RadicalKernAfterDegree,
  RadicalDegreeBottomRaisePercent,
};
inline constexpr size_t kMathConstantCount = 56;

enum class MathKernCorner : uint8_t { TopRight, TopLeft, BottomRight, BottomLeft };

// One ready-made size of a glyph, in the direction it grows: its glyph and its advance there.
struct MathGlyphVariant {
  uint16_t glyph = 0;
  int32_t advance = 0;
  friend bool operator==(const MathGlyphVariant&, const MathGlyphVariant&) = default;
};

// One piece of an assembly, bottom to top (vertical) or left to right (horizontal).
struct MathGlyphPart {
  uint16_t glyph = 0;
  int32_t startConnector = 0;
  int32_t endConnector = 0;
  int32_t fullAdvance = 0;
  bool extender = false;
  friend bool operator==(const MathGlyphPart&, const MathGlyphPart&) = default;
};

struct MathGlyphAssembly {
  int32_t italicCorrection = 0;
  std::vector<MathGlyphPart> parts;
};

class MathTable {
 public:
  // An empty table: no constants (all 0), no glyph data, no character map.
  MathTable() = default;

  // Reads the MATH, cmap and head tables of a whole OpenType or TrueType font file. Throws a
  // Failure naming what is wrong when the file or one of its tables is malformed (offsets past
  // the end, counts that do not fit); a font without a MATH table gives HasTable() false.
  static MathTable FromFont(std::span<const uint8_t> font);
  // A table with the given constants and nothing else, for layout tests worked out by hand.
  static MathTable FromConstants(const std::array<int32_t, kMathConstantCount>& constants,
                                 int32_t unitsPerEm);

  bool HasTable() const { return hasTable_; }
  int32_t UnitsPerEm() const { return unitsPerEm_; }
  // In font units, except the two script scale-downs and the degree's raise, which are percents.
  int32_t Constant(MathConstant constant) const {
    return constants_[static_cast<size_t>(constant)];
  }
  // The glyph the font's character map gives a code point; 0 for none.
  uint16_t GlyphOf(char32_t code) const;

  // 0 for a glyph the table gives none.
  int32_t ItalicCorrection(uint16_t glyph) const;
  std::optional<int32_t> TopAccentAttachment(uint16_t glyph) const;
  bool IsExtendedShape(uint16_t glyph) const;
  // The kern at `height` (font units, from the baseline) on one corner; 0 where none is given.
  int32_t Kern(uint16_t glyph, MathKernCorner corner, int32_t height) const;

  int32_t MinConnectorOverlap() const { return minConnectorOverlap_; }
  // The glyph's variants as the table lists them, smallest first (usually the glyph itself
  // first); empty when it has none in that direction.
  std::span<const MathGlyphVariant> Variants(uint16_t glyph, bool vertical) const;
  // nullptr when the glyph has no assembly in that direction.
  const MathGlyphAssembly* Assembly(uint16_t glyph, bool vertical) const;

 private:
  friend class MathTableReader;
  struct KernSteps {
    std::vector<int32_t> heights;  // correction heights, ascending
    std::vector<int32_t> kerns;    // one more than heights
  };
  struct Construction {
    std::vector<MathGlyphVariant> variants;
    std::optional<MathGlyphAssembly> assembly;
  };
  static constexpr uint32_t kNone = UINT32_MAX;

  bool hasTable_ = false;
  int32_t unitsPerEm_ = 1000;
  std::array<int32_t, kMathConstantCount> constants_{};
  int32_t minConnectorOverlap_ = 0;
  std::vector<CmapRange> cmap_;  // sorted by first code point
  std::unordered_map<uint16_t, int32_t> italicCorrections_;
  std::unordered_map<uint16_t, int32_t> topAccents_;
  std::unordered_set<uint16_t> extendedShapes_;
  // Kern tables and constructions are kept once each and addressed by index, since several
  // glyphs may share one.
  std::vector<KernSteps> kernTables_;
  std::unordered_map<uint16_t, std::array<uint32_t, 4>> kerns_;  // per corner, kNone for none
  std::vector<Construction> constructions_;
  std::unordered_map<uint16_t, uint32_t> vertical_;
  std::unordered_map<uint16_t, uint32_t> horizontal_;
};

}  // namespace kav
