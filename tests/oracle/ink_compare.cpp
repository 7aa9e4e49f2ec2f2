// Compares the ink of pictures made by different programs: for every pair of PNG files named on
// the command line, prints "INK RED WIDTHxHEIGHT" or "size A != B". INK is the weighted Jaccard
// index of the two coverage maps (the sum over pixels of the smaller coverage over the sum of the
// larger), the intersection over union of anti-aliased ink; RED is the same for red ink alone.
// Coverage is the alpha on a transparent picture or the distance from white on an opaque one, so
// an edge that two renderers both cut half-way costs nothing, while a missing or moved stroke
// costs its whole weight. A threshold at one half instead flips whole rows on ties (a bar whose
// edge lies across pixel middles) and would measure that instead of the drawing.
#include <algorithm>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "base/failure.h"
#include "base/utf.h"
#include "native/rgba_image.h"

namespace {

struct Sums {
  int64_t least = 0, most = 0, redLeast = 0, redMost = 0;
};

int Ink(const uint8_t* p) {
  const int lightest = std::min({p[0], p[1], p[2]});
  return std::min<int>(p[3], 255 - lightest);
}

// Red over white keeps red at full and lowers green and blue by its coverage; over transparency
// it is pure red with its coverage as alpha.
int RedInk(const uint8_t* p) {
  return std::clamp<int>(std::min<int>(p[3], p[0] - std::max(p[1], p[2])), 0, 255);
}

kav::RgbaImage Load(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                   std::istreambuf_iterator<char>());
  if (!file && !file.eof()) kav::Fail(u"Cannot read " + kav::Ascii16(path));
  return kav::DecodePng(bytes);
}

double Ratio(int64_t part, int64_t whole) {
  return whole == 0 ? 1.0 : static_cast<double>(part) / static_cast<double>(whole);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || argc % 2 == 0) {
    std::cerr << "usage: ink_compare A.png B.png [A.png B.png ...]\n";
    return 2;
  }
  try {
    for (int i = 1; i + 1 < argc; i += 2) {
      const kav::RgbaImage a = Load(argv[i]), b = Load(argv[i + 1]);
      if (a.width != b.width || a.height != b.height) {
        std::cout << "size " << a.width << 'x' << a.height << " != " << b.width << 'x'
                  << b.height << '\n';
        continue;
      }
      Sums sums;
      for (int32_t y = 0; y < a.height; ++y) {
        for (int32_t x = 0; x < a.width; ++x) {
          const int inkA = Ink(a.At(x, y)), inkB = Ink(b.At(x, y));
          const int redA = RedInk(a.At(x, y)), redB = RedInk(b.At(x, y));
          sums.least += std::min(inkA, inkB);
          sums.most += std::max(inkA, inkB);
          sums.redLeast += std::min(redA, redB);
          sums.redMost += std::max(redA, redB);
        }
      }
      std::cout << Ratio(sums.least, sums.most) << ' ' << Ratio(sums.redLeast, sums.redMost)
                << ' ' << a.width << 'x' << a.height << '\n';
    }
  } catch (const kav::Failure& failure) {
    std::cerr << kav::EncodeUtf8(failure.text) << '\n';
    return 2;
  }
  return 0;
}
