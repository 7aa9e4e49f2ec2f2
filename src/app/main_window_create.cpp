// The main window's creation handler: drawing resources, the first line, the child controls,
// the private clipboard format and dropped files.

#include <utility>

#include "app/main_window.h"
#include "app/wide_text.h"

namespace kav {

void MainWindow::OnCreate() {
  state.document.modified = false;
  LoadDrawingResources(state.resources, state.instance, state.mainWindow);
  state.typesetting = std::make_unique<Typesetting>(state.mainWindow, state.resources.fonts);
  CreateFirstLine();
  CreateScrollBar();
  state.clipboardFormat = RegisterClipboardFormatW(Wide(kPrivateClipboardFormat));
  CreateStatusBar();
  DragAcceptFiles(state.mainWindow, TRUE);
}

// One empty line, read and laid out, with its caret at the end of its root row.
void MainWindow::CreateFirstLine() {
  Document& document = state.document;
  document.lines.clear();
  document.lines.emplace_back(std::u16string(), &state.typesetting->layouter);
  document.currentLine = 0;
  EquationLine& line = document.Current();
  line.caret = Caret{line.tree.root, line.tree.ChildCount(line.tree.root)};
  line.selection.marks.assign(line.boxes.size(), false);
}

// The bar gets its place with the first size message.
void MainWindow::CreateScrollBar() {
  state.scrollBar = CreateWindowExW(
      0, L"scrollbar", L"", WS_CHILD | WS_VISIBLE | WS_BORDER | SBS_VERT, 0, 0, 0, 0,
      state.mainWindow, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kScrollBarId)),
      state.instance, nullptr);
}

void MainWindow::CreateStatusBar() {
  InitCommonControls();
  state.statusBar = CreateStatusWindowW(WS_CHILD | WS_VISIBLE, L"", state.mainWindow, 0);
  ShowStatus(u"Ready");
  if (!state.pendingStatus.empty()) ShowStatus(std::exchange(state.pendingStatus, u""));
}

}  // namespace kav
