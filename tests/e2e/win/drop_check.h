// Drops a file on the program's main window, as Explorer does, from outside the program.
#pragma once
#include <string>

#include "app/win32.h"

namespace kavprobe {

// Puts a DROPFILES block naming `path` into the program's own memory (a fixed block is its own
// handle there) and posts WM_DROPFILES with it. False when the block could not be placed.
bool DropFileOn(HWND main, const std::wstring& path);

}  // namespace kavprobe
