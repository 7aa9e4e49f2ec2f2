// How native markup spells its structures and letter attributes: the one table that every
// writer of markup (the tree's own and the readers of other formats) writes from.
#pragma once
#include <string_view>

#include "model/symbols.h"

namespace kav {

// The escape that opens a structure and its first argument ("\\frac{"); empty for a code that
// is not a structure.
constexpr std::u16string_view MarkupOpening(SymbolCode c) {
  switch (c) {
    case code::Frac: return u"\\frac{";
    case code::Sum: return u"\\sum{";
    case code::Prod: return u"\\prod{";
    case code::Integral: return u"\\integral{";
    case code::Super: return u"\\super{";
    case code::Sub: return u"\\sub{";
    case code::Sqrt: return u"\\sqrt{";
    default: return {};
  }
}

struct MarkupAttribute {
  StyleFlags bit;
  std::u16string_view text;
};

// A letter's attributes, in the order markup writes them after its name.
inline constexpr MarkupAttribute kMarkupAttributes[] = {
    {StyleRoman, u"|rm"}, {StyleBoldRoman, u"|rmbold"}, {StyleVector, u"|vector"},
    {StyleHat, u"|hat"},  {StyleBar, u"|bar"},          {StyleTilde, u"|tilde"}};

}  // namespace kav
