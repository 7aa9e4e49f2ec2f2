#include "edit/button_tooltips.h"

#include <string_view>

#include "edit/keys.h"
#include "edit/palette.h"
#include "model/symbol_facts.h"

namespace kav {
namespace {

using namespace std::literals;

// In the order of the commands' ids, from RM to f(x). The style buttons act on the selection or
// on the symbol before the caret and have no key of their own.
constexpr std::u16string_view kStyleTips[] = {
    u"Upright (roman) letters"sv, u"Bold upright letters"sv, u"Italic letters"sv,
    u"Vector arrow"sv,            u"Hat"sv,                  u"Bar"sv,
    u"Tilde"sv,                   u"Red"sv,
    u"Show or hide the symbol palette — View, Symbol palette"sv,
};

// "Less than or equal to — \leq": the button shows the sign itself.
// The palette's symbols go in at the caret as their names typed in the inline box do.
std::u16string SymbolTip(const SymbolRow& row) {
  std::u16string text = u"\\" + std::u16string(row.name);
  const SymbolFacts* facts = FactsOf(row.code);
  if (facts->tooltip.empty()) return text;
  if (!facts->key.empty()) text = std::u16string(facts->key) + u", " + text;
  return std::u16string(facts->tooltip) + u" \u2014 " + text;
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
