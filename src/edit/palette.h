// The symbol palette: one button for each symbol-table entry from the 40th on, in table order,
// in rows of ten; a press inserts its entry at the caret as typing would.
#pragma once
#include <cstdint>
#include <vector>

#include "model/symbols.h"

namespace kav {

class Editor;

// The table index of the first entry with a button (leq): the Greek letters, braces and the
// three ASCII names before it are typed or named instead.
inline constexpr int32_t kPaletteFirstEntry = 39;
// A palette button's command id is this plus its entry's table index.
inline constexpr int32_t kPaletteCommandBase = 30000;
inline constexpr int32_t kPaletteColumns = 10;
inline constexpr int32_t kPaletteButtonSize = 40;
inline constexpr int32_t kPaletteButtonPitch = 42;
// The palette window's place in the main window and its size.
inline constexpr int32_t kPaletteX = 2;
inline constexpr int32_t kPaletteY = 50;
inline constexpr int32_t kPaletteWidth = 424;
inline constexpr int32_t kPaletteHeight = 130;

struct PaletteButton {
  int32_t id = 0;
  char16_t label = 0;
  // Drawn with the symbol face ("Cambria" or its stand-in) rather than the system's button font.
  bool symbolFont = false;
  int32_t x = 0;  // in the palette's client area
  int32_t y = 0;
};

// The label of an entry's button: the capital sigma and pi for the sum and product structures,
// the integral sign for the integral, otherwise the entry's own character.
char16_t PaletteLabel(SymbolCode c);

std::vector<PaletteButton> PaletteButtons();

// A command from the palette: an id of a table entry inserts that entry (as the inline box does,
// without scrolling); any id gives the keyboard focus back to the main window.
void OnPaletteCommand(Editor& editor, int32_t id);

}  // namespace kav
