// Inserting an entry of the symbol table at the caret, the one step that the inline name box and
// the palette share.
#pragma once
#include "model/symbols.h"

namespace kav {

class Editor;

// One recorded edit of the current line: the selection goes, then the entry's structure or symbol
// comes in its place. "frac" (the solidus) gives an empty fraction and "sqrt" (the radical sign)
// an empty square root, each with the caret in its first slot; the big operators give their
// structure with empty limits; every other code is typed as a symbol in the style the statistics
// choose.
void InsertTableSymbol(Editor& editor, SymbolCode c);

}  // namespace kav
