#include "app/window_title.h"

namespace kav {

std::u16string WindowTitle(const std::u16string& path, bool modified) {
  std::u16string title = kProgramName;
  if (!path.empty()) title += u" - " + path;
  if (modified) title += u" (*)";
  return title;
}

}  // namespace kav
