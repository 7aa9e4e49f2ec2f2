// Inserting an entry of the symbol table at the caret, the one step that typed characters, the
// inline name box and the palette share; a structure or an opening bracket encloses a selection.
#pragma once
#include "model/symbols.h"

namespace kav {

class Editor;

// One recorded edit of the current line. "frac" (the solidus) and "sqrt" (the radical sign) make
// the selection their numerator or radicand, or give an empty structure with the caret in its
// first slot; an opening bracket encloses the selection with its partner; otherwise the selection
// goes and the entry comes in its place: the big operators with empty limits and the caret in the
// lower one, every other code as a symbol in the style the statistics choose.
void InsertTableSymbol(Editor& editor, SymbolCode c);

}  // namespace kav
