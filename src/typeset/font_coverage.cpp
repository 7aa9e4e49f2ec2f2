#include "typeset/font_coverage.h"

#include <algorithm>
#include <array>

namespace kav {
namespace {

// Relations, set operations, infinity, cdots and the floor and ceiling brackets: the CMU text
// faces stop at Latin, Greek and a few arrows and operators.
constexpr std::array<char16_t, 12> kCmuSerifGaps = {
    u'\u2208', u'\u221E', u'\u2229', u'\u222A', u'\u2264', u'\u2265',
    u'\u2282', u'\u2308', u'\u2309', u'\u230A', u'\u230B', u'\u22EF',
};

}  // namespace

std::span<const char16_t> CmuSerifGaps() { return kCmuSerifGaps; }

bool FaceHasGlyph(FontFace face, char16_t unit) {
  switch (face) {
    case FontFace::Italic:
    case FontFace::Roman:
    case FontFace::Bold:
      return std::find(kCmuSerifGaps.begin(), kCmuSerifGaps.end(), unit) == kCmuSerifGaps.end();
    case FontFace::Symbol:
    case FontFace::Math:
    case FontFace::MathItalic:
    case FontFace::MathBold:
      return true;
  }
  return true;
}

}  // namespace kav
