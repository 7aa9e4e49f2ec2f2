// The main window's creation handler: drawing resources, the editor with its first line, the
// child controls, the private clipboard format and dropped files.
#include <utility>

#include "app/main_window.h"
#include "app/wide_text.h"

namespace kav {

void MainWindow::OnCreate() {
  LoadDrawingResources(state.resources, state.instance, state.windows.main);
  state.typesetting = std::make_unique<Typesetting>(state.windows.main, state.resources.fonts);
  // The editor starts with one empty line, laid out, its caret at the end of the root row, no
  // selection and nothing modified.
  state.editor = std::make_unique<Editor>(state.host, state.typesetting->metrics,
                                          state.typesetting->layouter);
  state.editor->PlaceCaret();
  CreateScrollBar();
  state.editor->UpdateScroll();
  state.windows.privateFormat = RegisterClipboardFormatW(Wide(kPrivateClipboardFormat));
  CreateStatusBar();
  DragAcceptFiles(state.windows.main, TRUE);
  StartupOpen();
}

// The bar gets its place with the first size message.
void MainWindow::CreateScrollBar() {
  state.windows.scrollBar = CreateWindowExW(
      0, L"scrollbar", L"", WS_CHILD | WS_VISIBLE | WS_BORDER | SBS_VERT, 0, 0, 0, 0,
      state.windows.main, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kScrollBarId)),
      state.instance, nullptr);
}

void MainWindow::CreateStatusBar() {
  InitCommonControls();
  state.windows.statusBar =
      CreateStatusWindowW(WS_CHILD | WS_VISIBLE, L"", state.windows.main, 0);
  ShowStatus(u"Ready");
  if (!state.pendingStatus.empty()) ShowStatus(std::exchange(state.pendingStatus, u""));
}

// Reading the named document comes with the file commands. Until then the path is not taken
// as the document's: a later save must never write an empty document over that file.
void MainWindow::StartupOpen() {
  if (state.startupPath.empty()) return;
  ShowStatus(u"Opening a file from the command line is not available yet");
}

}  // namespace kav
