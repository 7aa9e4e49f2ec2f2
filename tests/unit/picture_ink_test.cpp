// The clipboard picture drawn natively holds all the ink of its line, with a blank margin all
// around, for every symbol in every face and style and for every line of the benchmark corpus.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "export/clipboard_payloads.h"
#include "native/native_typesetting.h"
#include "native/raster_canvas.h"
#include "symbol_names.h"
#include "typeset/line_geometry.h"
#include "typeset/shifted_canvas.h"

namespace kav {
namespace {

class PictureInkTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { typesetting = new NativeTypesetting(); }
  static void TearDownTestSuite() { delete typesetting; }

  static bool IsWindowColour(const uint8_t* p) { return p[0] == 255 && p[1] == 255 && p[2] == 255; }

  // How much ink there is: the darkness of every pixel, summed.
  static int64_t Darkness(const RgbaImage& image) {
    int64_t sum = 0;
    for (size_t i = 0; i < image.pixels.size(); i += 4) {
      sum += 3 * 255 - image.pixels[i] - image.pixels[i + 1] - image.pixels[i + 2];
    }
    return sum;
  }

  // The line's whole drawing on a surface with room to spare, whatever its picture keeps.
  static int64_t DarknessOfWholeDrawing(const EquationLine& line) {
    constexpr int32_t kRoom = 120;
    RasterCanvas canvas(RootWidth(line) + 2 * kRoom, RootHeight(line) + 2 * kRoom, kWindowColour,
                        typesetting->Fonts());
    ShiftedCanvas shifted(canvas, kRoom, kRoom);
    LinePicture(line).draw(shifted);
    const PixelRect ink = InkBounds(canvas.Image(), kWindowColour);
    EXPECT_FALSE(ink.left == 0 || ink.top == 0 || ink.right == canvas.Image().width ||
                 ink.bottom == canvas.Image().height)
        << "the drawing reaches past the test's own room";
    return Darkness(canvas.Image());
  }

  static bool ColumnInked(const RgbaImage& image, int32_t x) {
    for (int32_t y = 0; y < image.height; ++y) {
      if (!IsWindowColour(image.At(x, y))) return true;
    }
    return false;
  }
  static bool RowInked(const RgbaImage& image, int32_t y) {
    for (int32_t x = 0; x < image.width; ++x) {
      if (!IsWindowColour(image.At(x, y))) return true;
    }
    return false;
  }

  // Each side lies exactly one margin beyond the root box's edge or the outermost ink.
  static bool TightAroundBoxAndInk(const RgbaImage& image, const PixelRect& f, int32_t width,
                                   int32_t height) {
    const int32_t m = kPictureMargin;
    return (f.left == -m || ColumnInked(image, m)) &&
           (f.right == width + m || ColumnInked(image, image.width - 1 - m)) &&
           (f.top == -m || RowInked(image, m)) &&
           (f.bottom == height + m || RowInked(image, image.height - 1 - m));
  }

  // Every way the picture of `markup` could lose ink or touch its border; empty when sound.
  static std::string PictureFaults(const std::u16string& markup, RgbaImage* kept = nullptr) {
    const EquationLine line(markup, &typesetting->Layouter());
    const NativeTypesetting::Framed picture = typesetting->FramedPicture(line);
    const RgbaImage& image = picture.image;
    std::string faults;
    for (int32_t x = 0; x < image.width; ++x) {
      if (!IsWindowColour(image.At(x, 0)) || !IsWindowColour(image.At(x, image.height - 1))) {
        faults += " ink in the top or bottom row;";
        break;
      }
    }
    for (int32_t y = 0; y < image.height; ++y) {
      if (!IsWindowColour(image.At(0, y)) || !IsWindowColour(image.At(image.width - 1, y))) {
        faults += " ink in the left or right column;";
        break;
      }
    }
    const PixelRect& f = picture.frame;
    if (f.left > -kPictureMargin || f.top > -kPictureMargin ||
        f.right < RootWidth(line) + kPictureMargin ||
        f.bottom < RootHeight(line) + kPictureMargin) {
      faults += " the root box and its margin are not inside the picture;";
    }
    if (f.Width() != image.width || f.Height() != image.height) faults += " frame is not the size;";
    if (!TightAroundBoxAndInk(image, f, RootWidth(line), RootHeight(line))) {
      faults += " a side stands off both the box and the ink;";
    }
    if (Darkness(image) != DarknessOfWholeDrawing(line)) faults += " ink was cut off;";
    int dark = 0;
    for (size_t i = 0; i < image.pixels.size(); i += 4) dark += image.pixels[i] < 96;
    if (dark == 0) faults += " no dark pixel at all;";
    if (kept) *kept = image;
    return faults;
  }

  static NativeTypesetting* typesetting;
};
NativeTypesetting* PictureInkTest::typesetting = nullptr;

// The face choices, then each accent (which draws above the glyph).
constexpr std::u16string_view kStyles[] = {u"",     u"|rm",     u"|rmbold", u"|hat",
                                           u"|bar", u"|vector", u"|tilde"};

std::string Narrow(std::u16string_view text) {
  return std::string(text.begin(), text.end());
}

TEST_F(PictureInkTest, EverySymbolKeepsItsInkInEveryStyleAloneAndBetweenLetters) {
  for (std::u16string_view style : kStyles) {
    for (const std::u16string& name : SymbolNames()) {
      const std::u16string symbol = u"<" + name + std::u16string(style) + u">";
      for (const std::u16string& markup : {symbol, u"<a>" + symbol + u"<b>"}) {
        EXPECT_EQ(PictureFaults(markup), "") << Narrow(markup);
      }
    }
  }
}

TEST_F(PictureInkTest, BigOperatorsKeepTheirInk) {
  for (std::u16string_view markup : {u"\\sum{<i>}{<n>}", u"\\prod{<k>}{<infinity>}",
                                     u"\\integral{<0>}{<1>}", u"<a>\\integral{<0>}{<1>}<f>"}) {
    EXPECT_EQ(PictureFaults(std::u16string(markup)), "") << Narrow(markup);
  }
}

// Two symbols that look alike would be mistaken for each other on the page.
TEST_F(PictureInkTest, NoTwoSymbolsGiveTheSamePicture) {
  for (std::u16string_view style : kStyles) {
    for (const bool between : {false, true}) {
      std::map<std::vector<uint8_t>, std::u16string> seen;
      for (const std::u16string& name : SymbolNames()) {
        const std::u16string symbol = u"<" + name + std::u16string(style) + u">";
        RgbaImage image;
        PictureFaults(between ? u"<a>" + symbol + u"<b>" : symbol, &image);
        std::vector<uint8_t> key = image.pixels;
        key.push_back(static_cast<uint8_t>(image.width));
        const auto [at, fresh] = seen.emplace(std::move(key), name);
        EXPECT_TRUE(fresh) << Narrow(name) << " looks like " << Narrow(at->second) << " in style '"
                           << Narrow(style) << "'" << (between ? " between letters" : "");
      }
    }
  }
}

TEST_F(PictureInkTest, LoneCeilingAndFloorAreDrawnWhole) {
  for (std::u16string_view markup :
       {u"<lceil|rm>", u"<lfloor|rm>", u"<rceil|rm>", u"<rfloor|rm>"}) {
    RgbaImage image;
    EXPECT_EQ(PictureFaults(std::u16string(markup), &image), "") << Narrow(markup);
    EXPECT_GT(image.width, 5 + 2 * kPictureMargin) << Narrow(markup);
  }
}

TEST_F(PictureInkTest, EveryCorpusLineKeepsItsInk) {
  std::ifstream corpus(std::string(KAV_TEST_DATA) + "/../../bench/corpus.kav");
  ASSERT_TRUE(corpus.good());
  std::string text;
  int lines = 0;
  while (std::getline(corpus, text)) {
    if (text.size() < 2 || text[0] != '@' || text[1] == '@') continue;
    const std::u16string markup(text.begin() + 1, text.end());  // the corpus is ASCII
    EXPECT_EQ(PictureFaults(markup), "") << "corpus line " << lines + 1 << ": " << text;
    ++lines;
  }
  EXPECT_EQ(lines, 41);
}

}  // namespace
}  // namespace kav
