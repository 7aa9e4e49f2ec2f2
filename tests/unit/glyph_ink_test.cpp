// Glyphs as FreeType really draws them: lowercase italic Greek from the math face's italic
// letters, fallback symbols that keep their ink in their own box, accents clear of their base.
#include <gtest/gtest.h>

#include <array>
#include <map>
#include <string>
#include <vector>

#include "base/utf.h"
#include "native/native_typesetting.h"
#include "native/raster_canvas.h"
#include "native_suite.h"
#include "typeset/font_choice.h"
#include "typeset/font_coverage.h"
#include "typeset/glyph_measure.h"
#include "typeset/line_geometry.h"
#include "typeset/paint.h"

namespace kav {
namespace {

// Non-white pixels of a picture, as a mask.
std::vector<bool> InkMask(const RgbaImage& image) {
  std::vector<bool> mask(static_cast<size_t>(image.width) * image.height);
  for (int32_t y = 0; y < image.height; ++y) {
    for (int32_t x = 0; x < image.width; ++x) {
      const uint8_t* p = image.At(x, y);
      mask[static_cast<size_t>(y) * image.width + x] = p[0] < 255 || p[1] < 255 || p[2] < 255;
    }
  }
  return mask;
}

bool Overlap(const std::vector<bool>& a, const std::vector<bool>& b) {
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i] && b[i]) return true;
  }
  return false;
}

// Inked rows and columns of a mask: {left, top, right, bottom}, exclusive ends.
std::array<int32_t, 4> InkBounds(const std::vector<bool>& mask, int32_t width) {
  std::array<int32_t, 4> b{1 << 20, 1 << 20, -1, -1};
  for (size_t i = 0; i < mask.size(); ++i) {
    if (!mask[i]) continue;
    const int32_t x = static_cast<int32_t>(i % width), y = static_cast<int32_t>(i / width);
    b = {std::min(b[0], x), std::min(b[1], y), std::max(b[2], x + 1), std::max(b[3], y + 1)};
  }
  return b;
}

// Records what a box draws, so the accent and the glyph can be painted apart; the glyph is the
// last call.
class SplitCanvas final : public Canvas {
 public:
  explicit SplitCanvas(const FreeTypeFonts& fonts) : fonts_(fonts) {}
  void Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t, Rgb) override {
    calls.push_back({false, {}, 0, x1, y1, x2, y2});
  }
  void Glyph(FontKey font, char16_t unit, int32_t x, int32_t y, Rgb) override {
    calls.push_back({true, font, unit, x, y, 0, 0});
  }
  void GlyphById(FontKey font, uint16_t glyph, int32_t x, int32_t y, Rgb) override {
    calls.push_back({true, font, 0, x, y, 0, 0, glyph});
  }
  GlyphInk Ink(FontKey font, char16_t unit) const override { return fonts_.Ink(font, unit); }

  struct Call {
    bool glyph;
    FontKey font;
    char16_t unit;
    int32_t x1, y1, x2, y2;
    int32_t glyphIndex = -1;  // drawn by index when not negative
  };
  std::vector<Call> calls;

 private:
  const FreeTypeFonts& fonts_;
};

class GlyphInkTest : public NativeSuite {
 protected:
  // The mask of one box of a line, drawn alone with the line's corner at (margin, margin).
  static std::vector<bool> BoxMask(const EquationLine& line, size_t k, int32_t margin) {
    RasterCanvas canvas = Blank(RootWidth(line) + 2 * margin, RootHeight(line) + 2 * margin);
    PaintLineBoxes(canvas, margin, margin, std::span(line.boxes).subspan(k, 1), nullptr);
    return InkMask(canvas.Image());
  }
};

bool SameCoverage(const GlyphCoverage& a, const GlyphCoverage& b) {
  return a.left == b.left && a.top == b.top && a.width == b.width && a.alpha == b.alpha;
}

TEST_F(GlyphInkTest, ItalicGreekIsDrawnFromTheMathItalicLetters) {
  const std::array<std::pair<char16_t, char16_t>, 3> pairs = {
      {{u'\u03B8', u'\u03D1'}, {u'\u03BA', u'\u03F0'}, {u'\u03C1', u'\u03F1'}}};
  for (auto [letter, variant] : pairs) {
    const FontKey key = SelectGlyphFont(letter, 40, 0);
    EXPECT_EQ(key.face, FontFace::MathItalic);
    const char32_t code = DrawnCodePoint(key.face, letter);
    EXPECT_EQ(code, U'\U0001D6FC' + (letter - u'\u03B1'));
    EXPECT_NE(Fonts().GlyphIndex(FontFace::Math, code), 0u);
    // Not the variant letter, and not the CMU italic (which draws the variant form).
    EXPECT_FALSE(SameCoverage(Fonts().Render(key, letter), Fonts().Render(key, variant)));
    EXPECT_FALSE(
        SameCoverage(Fonts().Render(key, letter), Fonts().Render({FontFace::Italic, 40}, letter)));
    // Layout measures the face that draws it.
    EXPECT_EQ(MeasureGlyph(typesetting->Metrics(), letter, 0, 28).width,
              Fonts().Extent({FontFace::MathItalic, 28}, letter).width);
  }
  for (char16_t letter = u'\u03B1'; letter <= u'\u03C9'; ++letter) {
    EXPECT_TRUE(Fonts().HasGlyph(FontFace::MathItalic, letter)) << int{letter};
  }
}

// The CMU roman draws the variant letters too: upright and bold Greek come from the math face.
TEST_F(GlyphInkTest, UprightAndBoldGreekAreNotTheVariantLetters) {
  for (StyleFlags style : {StyleRoman, StyleBoldRoman}) {
    const FontKey key = SelectGlyphFont(u'\u03B8', 40, style);
    for (char16_t letter = u'\u03B1'; letter <= u'\u03C9'; ++letter) {
      EXPECT_TRUE(Fonts().HasGlyph(key.face, letter)) << int{letter};
    }
    EXPECT_FALSE(SameCoverage(Fonts().Render(key, u'\u03B8'), Fonts().Render(key, u'\u03D1')));
    EXPECT_FALSE(SameCoverage(Fonts().Render(key, u'\u03B8'),
                              Fonts().Render({FontFace::Roman, 40}, u'\u03B8')));
  }
}

// Each fallback symbol between two letters, at base and script size, in either face choice: no
// ink shared with its neighbours, all of its ink inside its box and the line's picture.
TEST_F(GlyphInkTest, FallbackSymbolsKeepTheirInkInTheirBox) {
  constexpr int32_t kMargin = 12;
  for (char16_t unit : CmuSerifGaps()) {
    for (const char16_t* style : {u"", u"|rm"}) {
      for (bool script : {false, true}) {
        const std::u16string row = u"<x><" + NameOf(unit) + style + u"><y>";
        const std::u16string markup = script ? u"<a>\\super{" + row + u"}" : row;
        const EquationLine line(markup, &typesetting->Layouter());
        const size_t first = script ? 1 : 0;  // the boxes of a, then x, symbol, y
        ASSERT_GE(line.boxes.size(), first + 3);
        const std::vector<bool> symbol = BoxMask(line, first + 1, kMargin);
        const std::string what = EncodeUtf8(markup);
        EXPECT_FALSE(Overlap(symbol, BoxMask(line, first, kMargin))) << what;
        EXPECT_FALSE(Overlap(symbol, BoxMask(line, first + 2, kMargin))) << what;
        const std::array<int32_t, 4> ink = InkBounds(symbol, RootWidth(line) + 2 * kMargin);
        const NodeData& node = line.tree.Data(line.boxes[first + 1].node);
        EXPECT_GE(ink[0], kMargin + node.x) << what;
        EXPECT_LE(ink[2], kMargin + node.x + node.width) << what;
        EXPECT_GE(ink[1], kMargin) << what;
        EXPECT_LE(ink[3], kMargin + RootHeight(line)) << what;
      }
    }
  }
}

TEST_F(GlyphInkTest, AccentsClearTheirBaseByTheSameGap) {
  std::vector<SymbolCode> codes;
  for (SymbolCode c = '0'; c <= '9'; ++c) codes.push_back(c);
  for (SymbolCode c = 'A'; c <= 'Z'; ++c) codes.push_back(c);
  for (SymbolCode c = 'a'; c <= 'z'; ++c) codes.push_back(c);
  for (const SymbolRow& row : SymbolTable()) {
    if (row.greek) codes.push_back(row.code);
  }
  std::map<std::pair<StyleFlags, int32_t>, std::map<SymbolCode, int32_t>> gaps;
  for (StyleFlags accent : {StyleVector, StyleHat, StyleBar, StyleTilde}) {
    for (int32_t size : {40, 28, 20}) {
      for (SymbolCode code : codes) {
        SplitCanvas split(Fonts());
        DrawGlyphBox(split, 60, 60, code, size, accent, size / 2, false);
        RasterCanvas accentInk = Blank(160, 160), glyphInk = Blank(160, 160);
        for (size_t i = 0; i < split.calls.size(); ++i) {
          const SplitCanvas::Call& c = split.calls[i];
          RasterCanvas& target = i + 1 == split.calls.size() ? glyphInk : accentInk;
          if (c.glyph && c.glyphIndex >= 0) {
            target.GlyphById(c.font, static_cast<uint16_t>(c.glyphIndex), c.x1, c.y1, kBlack);
          }
          if (c.glyph && c.glyphIndex < 0) target.Glyph(c.font, c.unit, c.x1, c.y1, kBlack);
          if (!c.glyph) target.Line(c.x1, c.y1, c.x2, c.y2, 1, kBlack);
        }
        const std::vector<bool> a = InkMask(accentInk.Image()), g = InkMask(glyphInk.Image());
        EXPECT_FALSE(Overlap(a, g)) << "code " << code << " accent " << accent << " size " << size;
        gaps[{accent, size}][code] = InkBounds(g, 160)[1] - InkBounds(a, 160)[3];
      }
    }
  }
  for (const auto& [key, byCode] : gaps) {
    EXPECT_EQ(byCode.at('x'), byCode.at('f')) << "accent " << key.first << " size " << key.second;
    EXPECT_EQ(byCode.at('x'), byCode.at(u'\u03B8')) << "accent " << key.first;
  }
}

}  // namespace
}  // namespace kav
