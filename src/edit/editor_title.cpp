#include "edit/editor_title.h"

#include "edit/editor.h"

namespace kav {

std::u16string WindowTitle(const Editor& editor) {
  const Document& document = editor.document();
  std::u16string title = u"Kav v0.2";
  if (!document.path.empty()) title += u" - " + document.path;
  if (document.modified) title += u" (*)";
  return title;
}

}  // namespace kav
