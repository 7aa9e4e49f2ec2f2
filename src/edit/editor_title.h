// The main window's title for the editor's document: the program's name, the document path when
// there is one, and a mark while there are unsaved changes ("Kav v0.2 - C:\a.kav (*)").
#pragma once
#include <string>

namespace kav {

class Editor;

std::u16string WindowTitle(const Editor& editor);

}  // namespace kav
