// Compares the ink of pictures made by different programs. For every pair of PNG files named on
// the command line it prints "AGREE RED JACCARD WIDTHxHEIGHT", or "size A != B":
//   AGREE    over the pixels that either picture inks by at least half, the share where the two
//            coverages differ by at most half: the ink masks' intersection over union, with a
//            pixel that one renderer covers 0.45 and the other 0.55 counted as agreeing;
//   RED      the same for red ink alone (red over white lowers green and blue, red over
//            transparency is red with alpha);
//   JACCARD  the weighted Jaccard index of the coverages (sum of the smaller over sum of the
//            larger): strict about anti-aliasing, for renderers that share a rasterizer's rules.
// Coverage is the alpha on a transparent picture or the distance from white on an opaque one.
// A glyph moved by one pixel at scale 1 drops AGREE to about one half; a missing stroke costs its
// whole area; renderers that draw the same outlines differ only on edge pixels.
// With --centred first, the second picture of each pair is a page on which a reader placed the
// first one centred (as LibreOffice exports a drawing); the placement within two pixels of the
// centre with the best JACCARD is used, and its offset is printed after the size. A picture too
// large for the page less LibreOffice's margins of 1 cm (of 21 cm across) is shrunk to fit there,
// as LibreOffice does, by averaging before the comparison.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "base/failure.h"
#include "base/utf.h"
#include "native/rgba_image.h"

namespace {

// LibreOffice's page margin as a share of the page's width (1 cm of an A4 page's 21 cm).
constexpr double kMarginShare = 1.0 / 21.0;

struct Sums {
  int64_t least = 0, most = 0;   // weighted Jaccard
  int64_t inked = 0, apart = 0;  // pixels either inks by half; of those, differing by half
  int64_t redInked = 0, redApart = 0;
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

// The sums for `a` against the part of `b` whose top-left corner is (x0, y0); pixels beyond b's
// edges are blank.
Sums Compare(const kav::RgbaImage& a, const kav::RgbaImage& b, int32_t x0, int32_t y0) {
  static const uint8_t kBlank[4] = {255, 255, 255, 0};
  Sums sums;
  for (int32_t y = 0; y < a.height; ++y) {
    for (int32_t x = 0; x < a.width; ++x) {
      const int32_t bx = x + x0, by = y + y0;
      const uint8_t* pb =
          bx >= 0 && by >= 0 && bx < b.width && by < b.height ? b.At(bx, by) : kBlank;
      const int inkA = Ink(a.At(x, y)), inkB = Ink(pb);
      const int redA = RedInk(a.At(x, y)), redB = RedInk(pb);
      sums.least += std::min(inkA, inkB);
      sums.most += std::max(inkA, inkB);
      sums.inked += std::max(inkA, inkB) >= 128;
      sums.apart += std::abs(inkA - inkB) > 128;
      sums.redInked += std::max(redA, redB) >= 128;
      sums.redApart += std::abs(redA - redB) > 128;
    }
  }
  return sums;
}

void Print(const Sums& sums, const kav::RgbaImage& a) {
  const auto agree = [](int64_t apart, int64_t inked) {
    return inked == 0 ? 1.0 : 1.0 - static_cast<double>(apart) / static_cast<double>(inked);
  };
  std::cout << agree(sums.apart, sums.inked) << ' ' << agree(sums.redApart, sums.redInked) << ' '
            << Ratio(sums.least, sums.most) << ' ' << a.width << 'x' << a.height;
}

void CompareCentred(const kav::RgbaImage& a, const kav::RgbaImage& b) {
  const int32_t cx = (b.width - a.width) / 2, cy = (b.height - a.height) / 2;
  Sums best;
  int32_t bestDx = 0, bestDy = 0;
  for (int32_t dy = -2; dy <= 2; ++dy) {
    for (int32_t dx = -2; dx <= 2; ++dx) {
      const Sums sums = Compare(a, b, cx + dx, cy + dy);
      if (Ratio(sums.least, sums.most) > Ratio(best.least, best.most) || best.most == 0) {
        best = sums;
        bestDx = dx;
        bestDy = dy;
      }
    }
  }
  Print(best, a);
  std::cout << ' ' << bestDx << ' ' << bestDy << '\n';
}

void ComparePair(const kav::RgbaImage& a, const kav::RgbaImage& b, bool centred) {
  if (!centred) {
    if (a.width != b.width || a.height != b.height) {
      std::cout << "size " << a.width << 'x' << a.height << " != " << b.width << 'x' << b.height
                << '\n';
      return;
    }
    Print(Compare(a, b, 0, 0), a);
    std::cout << '\n';
    return;
  }
  const double margin = b.width * kMarginShare;
  const double fit =
      std::min({1.0, (b.width - 2 * margin) / a.width, (b.height - 2 * margin) / a.height});
  if (fit < 1) {
    const kav::RgbaImage shrunk =
        kav::ScaleImage(a, std::max(1, static_cast<int32_t>(std::lround(a.width * fit))),
                        std::max(1, static_cast<int32_t>(std::lround(a.height * fit))));
    return CompareCentred(shrunk, b);
  }
  return CompareCentred(a, b);
}

int main(int argc, char** argv) {
  const bool centred = argc > 1 && std::string(argv[1]) == "--centred";
  const int first = centred ? 2 : 1;
  if (argc - first < 2 || (argc - first) % 2 != 0) {
    std::cerr << "usage: ink_compare [--centred] A.png B.png [A.png B.png ...]\n";
    return 2;
  }
  try {
    for (int i = first; i + 1 < argc; i += 2)
      ComparePair(Load(argv[i]), Load(argv[i + 1]), centred);
  } catch (const kav::Failure& failure) {
    std::cerr << kav::EncodeUtf8(failure.text) << '\n';
    return 2;
  }
  return 0;
}
