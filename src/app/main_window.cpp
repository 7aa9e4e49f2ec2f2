#include "app/main_window.h"

#include <exception>
#include <utility>

#include "app/paint_window.h"
#include "app/resource_ids.h"
#include "app/wide_text.h"
#include "app/window_title.h"
#include "base/failure.h"

namespace kav {

MainWindow::MainWindow(HINSTANCE instance, StartupPath startup) {
  state.instance = instance;
  state.document.path = std::move(startup.path);
  state.pendingStatus = std::move(startup.refusal);
}

bool MainWindow::RegisterWindowClass(HINSTANCE instance) {
  WNDCLASSW windowClass{};
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = &MainWindow::Procedure;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszMenuName = MAKEINTRESOURCEW(IDR_MAIN_MENU);
  windowClass.lpszClassName = Wide(kProgramName);
  return RegisterClassW(&windowClass) != 0;
}

bool MainWindow::Create(int showCommand) {
  HWND window = CreateWindowExW(0, Wide(kProgramName), Wide(kProgramName),
                                WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                state.instance, this);
  if (window == nullptr) return false;
  ShowWindow(window, showCommand);
  return true;
}

std::u16string MainWindow::Title() const {
  return WindowTitle(state.document.path, state.document.modified);
}

LRESULT CALLBACK MainWindow::Procedure(HWND window, UINT message, WPARAM wParam,
                                       LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    auto* self = static_cast<MainWindow*>(create->lpCreateParams);
    self->state.mainWindow = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  return self->Guarded(message, wParam, lParam);
}

// Failures raised anywhere below a message end here: the text goes to the status bar and the
// program carries on from the state it reached. Nothing may unwind into the system's caller.
LRESULT MainWindow::Guarded(UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    return Route(message, wParam, lParam);
  } catch (const Failure& failure) {
    ShowStatus(failure.text);
  } catch (const std::bad_alloc&) {
    ShowStatus(u"Out of memory.");
  } catch (const std::exception&) {
    ShowStatus(u"Internal error.");
  }
  return 0;
}

LRESULT MainWindow::Route(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      OnCreate();
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_SIZE:
      OnSize();
      return 0;
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_CLOSE:
      return OnClose(wParam, lParam);
    default:
      return Default(message, wParam, lParam);
  }
}

LRESULT MainWindow::Default(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(state.mainWindow, message, wParam, lParam);
}

// The scroll bar keeps to the right edge; the back buffer no longer fits and is made again by
// the next paint; the status bar re-docks itself.
void MainWindow::OnSize() {
  RECT client{};
  GetClientRect(state.mainWindow, &client);
  SetWindowPos(state.scrollBar, nullptr, client.right - 30, 10, 20, client.bottom - 30,
               SWP_NOZORDER);
  state.backBuffer.Reset();
  InvalidateRect(state.mainWindow, nullptr, FALSE);
  SendMessageW(state.statusBar, WM_SIZE, 0, 0);
}

void MainWindow::OnPaint() {
  PaintScene scene;
  scene.lines = state.document.lines;
  scene.currentLine = state.document.currentLine;
  scene.scrollOffset = state.scrollOffset;
  PaintWindow(state.mainWindow, state.backBuffer, state.resources, scene);
}

// Default processing destroys the window, which ends the message loop.
LRESULT MainWindow::OnClose(WPARAM wParam, LPARAM lParam) {
  return Default(WM_CLOSE, wParam, lParam);
}

void MainWindow::ShowStatus(const std::u16string& text) {
  if (state.statusBar == nullptr) {
    state.pendingStatus = text;
    return;
  }
  SetWindowTextW(state.statusBar, Wide(text));
}

}  // namespace kav
