// kav-integral-png OUTDIR: renders the integral sign images integral_black.png,
// integral_green.png and integral_red.png (28 x 68, transparent) into OUTDIR. The copies in
// resources/ are made by this tool, and a unit test checks that it still makes the same bytes.
#include <fstream>
#include <iostream>
#include <string>

#include "base/failure.h"
#include "base/utf.h"
#include "native/font_files.h"
#include "native/integral_sign.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: kav-integral-png OUTDIR\n";
    return 2;
  }
  try {
    const kav::FontFiles files = kav::InstalledFontFiles();
    const struct {
      const char* name;
      kav::Rgb ink;
    } kImages[] = {{"integral_black.png", kav::kBlack},
                   {"integral_green.png", kav::kGreen},
                   {"integral_red.png", kav::kRed}};
    for (const auto& image : kImages) {
      const std::vector<uint8_t> png =
          kav::EncodePng(kav::RenderIntegralSign(files.math, image.ink), true);
      const std::string path = std::string(argv[1]) + "/" + image.name;
      std::ofstream out(path, std::ios::binary | std::ios::trunc);
      out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
      if (!out) {
        std::cerr << "kav-integral-png: cannot write " << path << "\n";
        return 2;
      }
    }
  } catch (const kav::Failure& failure) {
    std::cerr << "kav-integral-png: " << kav::EncodeUtf8(failure.text) << "\n";
    return 2;
  }
  return 0;
}
