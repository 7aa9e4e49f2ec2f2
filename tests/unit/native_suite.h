// A test suite over the installed fonts: one NativeTypesetting for the whole suite, since opening
// the fonts costs more than most of its tests.
#pragma once
#include <gtest/gtest.h>

#include "native/native_typesetting.h"
#include "native/raster_canvas.h"

namespace kav {

class NativeSuite : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { typesetting = new NativeTypesetting(); }
  static void TearDownTestSuite() {
    delete typesetting;
    typesetting = nullptr;
  }
  static const FreeTypeFonts& Fonts() { return typesetting->Fonts(); }
  // The integral sign's glyph in the math face, and its tallest vertical variant: the display
  // integral, which has no code point of its own.
  static uint16_t TextIntegral() { return Fonts().Math()->GlyphOf(U'\u222B'); }
  static uint16_t DisplayIntegral() {
    const auto variants = Fonts().Math()->Variants(TextIntegral(), true);
    return variants.empty() ? 0 : variants.back().glyph;
  }
  // A canvas of the window colour to draw on with the suite's fonts.
  static RasterCanvas Blank(int32_t width, int32_t height) {
    return RasterCanvas(width, height, kWindowColour, Fonts());
  }
  static inline NativeTypesetting* typesetting = nullptr;
};

}  // namespace kav
