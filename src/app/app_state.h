// What the main window keeps between messages. One instance, owned by the main window object.
#pragma once
#include <string>

#include "app/win32.h"
#include "model/document.h"

namespace kav {

struct AppState {
  HINSTANCE instance = nullptr;
  HWND mainWindow = nullptr;
  HWND statusBar = nullptr;
  Document document;
  // A message raised before the status bar exists (for example a refused command line), shown
  // once it does.
  std::u16string pendingStatus;
};

}  // namespace kav
