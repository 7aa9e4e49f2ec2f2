#include "edit/palette.h"

#include "edit/editor.h"
#include "edit/table_insert.h"
#include "model/symbol_facts.h"

namespace kav {

char16_t PaletteLabel(SymbolCode c) {
  const SymbolFacts* facts = FactsOf(c);
  if (facts && facts->palette != 0) return facts->palette;
  if (facts) return facts->unicode;
  return c <= 0xFFFF ? static_cast<char16_t>(c) : u'\uFFFD';
}

std::vector<PaletteButton> PaletteButtons() {
  const auto table = SymbolTable();
  std::vector<PaletteButton> buttons;
  for (int32_t index = 0; index < static_cast<int32_t>(table.size()); ++index) {
    const SymbolRow& row = table[index];
    if (FactsOf(row.code)->palette == 0) continue;  // typed or named instead
    const auto j = static_cast<int32_t>(buttons.size());
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
