#include "edit/button_tooltips.h"

#include <string_view>

#include "edit/keys.h"
#include "edit/palette.h"
#include "model/symbols.h"

namespace kav {
namespace {

using namespace std::literals;

struct Tip {
  std::u16string_view key;  // the symbol's inline-box name
  std::u16string_view name;
  std::u16string_view shortcut;
};

// In the order of the commands' ids, from RM to f(x). The style buttons act on the selection or
// on the symbol before the caret and have no key of their own.
constexpr std::u16string_view kStyleTips[] = {
    u"Upright (roman) letters"sv, u"Bold upright letters"sv, u"Italic letters"sv,
    u"Vector arrow"sv,            u"Hat"sv,                  u"Bar"sv,
    u"Tilde"sv,                   u"Red"sv,
    u"Show or hide the symbol palette — View, Symbol palette"sv,
};

// The palette's symbols go in at the caret as their names typed in the inline box do.
constexpr Tip kSymbolTips[] = {
    {u"leq"sv, u"Less than or equal to"sv, u""sv},
    {u"geq"sv, u"Greater than or equal to"sv, u""sv},
    {u"in"sv, u"Element of"sv, u""sv},
    {u"cdot"sv, u"Centred dot"sv, u""sv},
    {u"times"sv, u"Times"sv, u""sv},
    {u"deg"sv, u"Degree"sv, u""sv},
    {u"intersection"sv, u"Intersection"sv, u""sv},
    {u"union"sv, u"Union"sv, u""sv},
    {u"subset"sv, u"Subset of"sv, u""sv},
    {u"infinity"sv, u"Infinity"sv, u""sv},
    {u"rarrow"sv, u"Right arrow"sv, u""sv},
    {u"pm"sv, u"Plus or minus"sv, u""sv},
    {u"sum"sv, u"Sum"sv, u""sv},
    {u"prod"sv, u"Product"sv, u""sv},
    {u"integral"sv, u"Integral"sv, u""sv},
    {u"cdots"sv, u"Centred ellipsis"sv, u""sv},
    {u"lfloor"sv, u"Left floor"sv, u""sv},
    {u"rfloor"sv, u"Right floor"sv, u""sv},
    {u"lceil"sv, u"Left ceiling"sv, u""sv},
    {u"rceil"sv, u"Right ceiling"sv, u""sv},
    {u"frac"sv, u"Fraction"sv, u"Ctrl+K"sv},
    {u"sqrt"sv, u"Square root"sv, u"Ctrl+R"sv},
};

// "Less than or equal to — \leq": the button shows the sign itself.
std::u16string SymbolTip(const SymbolRow& row) {
  std::u16string text = u"\\" + std::u16string(row.name);
  for (const Tip& tip : kSymbolTips) {
    if (tip.key != row.name) continue;
    if (!tip.shortcut.empty()) text = std::u16string(tip.shortcut) + u", " + text;
    text = std::u16string(tip.name) + u" \u2014 " + text;
  }
  return text;
}

}  // namespace

std::u16string ButtonTooltip(int32_t id) {
  if (id >= command::StyleRoman && id <= command::TogglePalette) {
    return std::u16string(kStyleTips[id - command::StyleRoman]);
  }
  const auto table = SymbolTable();
  const int32_t index = id - kPaletteCommandBase;
  if (index < kPaletteFirstEntry || index >= static_cast<int32_t>(table.size())) return {};
  return SymbolTip(table[index]);
}

}  // namespace kav
