// The main window's creation handler: drawing resources, the editor with its first line, the
// child controls, the private clipboard format and dropped files.
#include <utility>

#include "app/main_window.h"
#include "app/style_buttons.h"
#include "app/tooltip_window.h"
#include "app/wide_text.h"
#include "app/window_dpi.h"

namespace kav {

void MainWindow::OnCreate() {
  state.windows.dpi = WindowDpi(state.windows.main);
  LoadDrawingResources(state.resources, state.instance, state.windows.main);
  state.typesetting = std::make_unique<Typesetting>(state.windows.main, state.resources.fonts);
  // The editor starts with one empty line, laid out, its caret at the end of the root row, no
  // selection and nothing modified.
  state.editor = std::make_unique<Editor>(state.host, state.typesetting->metrics,
                                          state.typesetting->layouter);
  state.editor->SetDpi(state.windows.dpi);
  state.editor->PlaceCaret();
  CreateInlineBox();
  CreateScrollBar();
  state.editor->UpdateScroll();
  state.windows.privateFormat = RegisterClipboardFormatW(Wide(kPrivateClipboardFormat));
  CreateStatusBar();
  DragAcceptFiles(state.windows.main, TRUE);
  CreateStyleButtons(state.windows.main, state.instance);
  StartupOpen();
  CreatePalette();
  CreateButtonTooltips(state.windows.main, state.instance);
  PlaceControls(state.windows.dpi);
  // The view starts below the controls made last.
  state.editor->UpdateScroll();
}

void MainWindow::CreateInlineBox() {
  if (state.inlineBox.Create(state.windows.main, state.instance, *state.editor)) {
    state.windows.inlineBox = state.inlineBox.Handle();
  }
}

// The palette's symbol labels use the symbol face at 20 pixels: "Cambria", or the embedded math
// face where the system has no "Cambria".
void MainWindow::CreatePalette() {
  HFONT font = state.resources.fonts.Cell(FontKey{FontFace::Symbol, 20}).font.Get();
  if (PaletteWindow::RegisterWindowClass(state.instance) &&
      state.palette.Create(state.windows.main, state.instance, font, *state.editor)) {
    state.windows.palette = state.palette.Handle();
  }
}

// The bar gets its place with the first size message.
void MainWindow::CreateScrollBar() {
  state.windows.scrollBar = CreateWindowExW(
      0, L"scrollbar", L"", WS_CHILD | WS_VISIBLE | WS_BORDER | SBS_VERT, 0, 0, 0, 0,
      state.windows.main, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kScrollBarId)),
      state.instance, nullptr);
  // Disabled while every line fits; lines wider than the view scroll sideways with it.
  state.windows.horizontalScrollBar = CreateWindowExW(
      0, L"scrollbar", L"", WS_CHILD | WS_VISIBLE | SBS_HORZ, 0, 0, 0, 0, state.windows.main,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kHorizontalScrollBarId)), state.instance,
      nullptr);
}

void MainWindow::CreateStatusBar() {
  InitCommonControls();
  state.windows.statusBar =
      CreateStatusWindowW(WS_CHILD | WS_VISIBLE, L"", state.windows.main, 0);
  ShowStatus(std::u16string(kIdleStatusText));
  if (!state.pendingStatus.empty()) ShowStatus(std::exchange(state.pendingStatus, u""));
}

// Once the status bar exists, so that a file that cannot be read can say so. The path becomes
// the document's only when the file was read: a later save never writes over a file that was not
// opened.
void MainWindow::StartupOpen() {
  state.editor->OpenStartupDocument(state.startupPath);
}

}  // namespace kav
