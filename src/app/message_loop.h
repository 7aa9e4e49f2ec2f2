// The message loop, which also keeps the main window's title current.
#pragma once
#include "app/main_window.h"

namespace kav {

// Runs until the quit message and returns its exit code.
int RunMessageLoop(const MainWindow& window);

}  // namespace kav
