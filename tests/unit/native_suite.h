// A test suite over the installed fonts: one NativeTypesetting for the whole suite, since opening
// the fonts and drawing the integral images costs more than most of its tests.
#pragma once
#include <gtest/gtest.h>

#include <array>

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
  // A canvas of the window colour to draw on with the suite's fonts.
  static RasterCanvas Blank(int32_t width, int32_t height) {
    static const std::array<RgbaImage, 3> integrals = IntegralImages(InstalledFontFiles());
    return RasterCanvas(width, height, kWindowColour, Fonts(), integrals);
  }
  static inline NativeTypesetting* typesetting = nullptr;
};

}  // namespace kav
