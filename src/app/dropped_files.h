// The names of files dropped on the main window.
#pragma once
#include <string>
#include <vector>

#include "app/win32.h"

namespace kav {

// Every dropped name, in the order the shell gives them, each read whole (no fixed buffer).
// Releases the drop.
std::vector<std::u16string> TakeDroppedFiles(HDROP drop);

}  // namespace kav
