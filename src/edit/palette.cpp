#include "edit/palette.h"

#include "edit/editor.h"
#include "edit/table_insert.h"

namespace kav {

char16_t PaletteLabel(SymbolCode c) {
  switch (c) {
    case code::Sum: return static_cast<char16_t>(CodeOf(u"Sigma"));
    case code::Prod: return static_cast<char16_t>(CodeOf(u"Pi"));
    case code::Integral: return u'\u222B';
    // The braces (the only other codes outside the BMP) come before the palette's first entry.
    case code::LBrace: return u'{';
    case code::RBrace: return u'}';
    default: return c <= 0xFFFF ? static_cast<char16_t>(c) : u'\uFFFD';
  }
}

std::vector<PaletteButton> PaletteButtons() {
  const auto table = SymbolTable();
  std::vector<PaletteButton> buttons;
  for (int32_t index = kPaletteFirstEntry; index < static_cast<int32_t>(table.size()); ++index) {
    const int32_t j = index - kPaletteFirstEntry;
    const SymbolRow& row = table[index];
    buttons.push_back({kPaletteCommandBase + index, PaletteLabel(row.code), row.symbolFont,
                       (j % kPaletteColumns) * kPaletteButtonPitch + 2,
                       (j / kPaletteColumns) * kPaletteButtonPitch + 2});
  }
  return buttons;
}

void OnPaletteCommand(Editor& editor, int32_t id) {
  const auto table = SymbolTable();
  const int32_t index = id - kPaletteCommandBase;
  if (index >= 0 && index < static_cast<int32_t>(table.size())) {
    InsertTableSymbol(editor, table[index].code);
  }
  editor.host().FocusMainWindow();
}

}  // namespace kav
