// Program entry: the document path from the command line, GDI+, the main window, the loop.
#include "app/command_line.h"
#include "app/gdiplus_session.h"
#include "app/main_window.h"
#include "app/message_loop.h"
#include "app/wide_text.h"
#include "app/win32.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int showCommand) {
  kav::GdiplusSession gdiplus;
  if (!gdiplus.Started()) return 0;
  // Without a window there is nothing to show a message in; the exit code says it failed.
  if (!kav::MainWindow::RegisterWindowClass(instance)) return 1;
  kav::MainWindow mainWindow(instance, kav::PathFromCommandLine(kav::FromWide(commandLine)));
  if (!mainWindow.Create(showCommand)) return 1;
  return kav::RunMessageLoop(mainWindow);
}
