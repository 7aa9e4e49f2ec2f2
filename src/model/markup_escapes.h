// How native markup spells letter attributes: the one table that every writer of markup (the
// tree's own and the readers of other formats) writes from; structures spell themselves from
// the construct table.
#pragma once
#include <string_view>

#include "model/symbols.h"

namespace kav {

struct MarkupAttribute {
  StyleFlags bit;
  std::u16string_view text;
};

// A letter's attributes, in the order markup writes them after its name.
inline constexpr MarkupAttribute kMarkupAttributes[] = {
    {StyleRoman, u"|rm"}, {StyleBoldRoman, u"|rmbold"}, {StyleVector, u"|vector"},
    {StyleHat, u"|hat"},  {StyleBar, u"|bar"},          {StyleTilde, u"|tilde"}};

}  // namespace kav
