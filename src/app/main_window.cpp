#include "app/main_window.h"

#include <algorithm>
#include <exception>
#include <utility>

#include "app/dpi_metrics.h"
#include "app/dropped_files.h"
#include "app/paint_window.h"
#include "app/resource_ids.h"
#include "app/style_buttons.h"
#include "app/wide_text.h"
#include "app/window_dpi.h"
#include "app/window_title.h"
#include "base/failure.h"

namespace kav {
namespace {

// Mouse positions are signed: a captured mouse may be left of or above the client area.
int32_t PointX(LPARAM lParam) { return static_cast<int16_t>(LOWORD(lParam)); }
int32_t PointY(LPARAM lParam) { return static_cast<int16_t>(HIWORD(lParam)); }

Modifiers HeldModifiers() {
  return Modifiers{GetAsyncKeyState(VK_CONTROL) < 0, GetAsyncKeyState(VK_SHIFT) < 0};
}

int32_t TrackPosition(HWND bar) {
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_TRACKPOS;
  GetScrollInfo(bar, SB_CTL, &info);
  return info.nTrackPos;
}

// Shared icons belong to the system, which keeps them for the whole run.
HICON ProgramIcon(HINSTANCE instance, int widthMetric, int heightMetric) {
  return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON,
                                       GetSystemMetrics(widthMetric),
                                       GetSystemMetrics(heightMetric), LR_SHARED));
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, StartupPath startup) {
  state.instance = instance;
  state.startupPath = std::move(startup.path);
  state.pendingStatus = std::move(startup.refusal);
}

bool MainWindow::RegisterWindowClass(HINSTANCE instance) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = &MainWindow::Procedure;
  windowClass.hInstance = instance;
  // The title bar and the taskbar show the program's own icon, each at its size.
  windowClass.hIcon = ProgramIcon(instance, SM_CXICON, SM_CYICON);
  windowClass.hIconSm = ProgramIcon(instance, SM_CXSMICON, SM_CYSMICON);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszMenuName = MAKEINTRESOURCEW(IDR_MAIN_MENU);
  windowClass.lpszClassName = Wide(kProgramName);
  return RegisterClassExW(&windowClass) != 0;
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
  if (!state.editor) return kProgramName;
  const Document& document = state.editor->document();
  return WindowTitle(document.path, document.modified);
}

LRESULT CALLBACK MainWindow::Procedure(HWND window, UINT message, WPARAM wParam,
                                       LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    auto* self = static_cast<MainWindow*>(create->lpCreateParams);
    self->state.windows.main = window;
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
    case WM_CREATE: OnCreate(); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    case WM_SIZE: OnSize(); return 0;
    case WM_PAINT: OnPaint(); return 0;
    case WM_CLOSE: return OnClose(wParam, lParam);
    case WM_DROPFILES: OnDropFiles(reinterpret_cast<HDROP>(wParam)); return 0;
    case WM_INITMENUPOPUP: OnInitMenu(reinterpret_cast<HMENU>(wParam)); return 0;
    case WM_DPICHANGED: OnDpiChanged(HIWORD(wParam), lParam); return 0;
    default: break;
  }
  // Input reaches the editor only once the creation handler has made it.
  if (!state.editor) return Default(message, wParam, lParam);
  return RouteInput(message, wParam, lParam);
}

LRESULT MainWindow::RouteInput(UINT message, WPARAM wParam, LPARAM lParam) {
  Editor& editor = *state.editor;
  switch (message) {
    case WM_SETFOCUS: editor.PlaceCaret(); return 0;
    case WM_KILLFOCUS: state.host.DestroyCaret(); return 0;
    case WM_KEYDOWN:
      editor.OnKeyDown(static_cast<int32_t>(wParam), HeldModifiers());
      return Default(message, wParam, lParam);
    case WM_CHAR: editor.OnChar(static_cast<char16_t>(LOWORD(wParam))); return 0;
    case WM_COMMAND: editor.OnCommand(LOWORD(wParam)); return 0;
    case WM_VSCROLL: OnVerticalScroll(wParam); return Default(message, wParam, lParam);
    case WM_HSCROLL: OnHorizontalScroll(wParam); return Default(message, wParam, lParam);
    case WM_MOUSEWHEEL:
      editor.OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam), HeldModifiers());
      return Default(message, wParam, lParam);
    case WM_MOUSEHWHEEL:
      editor.OnHorizontalScroll(GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? ScrollRequest::LineDown
                                                                    : ScrollRequest::LineUp);
      return Default(message, wParam, lParam);
    case WM_MOUSEMOVE: editor.OnMouseMove(PointX(lParam), PointY(lParam)); return 0;
    case WM_LBUTTONDOWN: editor.OnLeftButtonDown(PointX(lParam), PointY(lParam)); return 0;
    case WM_LBUTTONUP: editor.OnLeftButtonUp(PointX(lParam), PointY(lParam)); return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != Handle()) editor.OnCaptureLost();
      return 0;
    default: return Default(message, wParam, lParam);
  }
}

LRESULT MainWindow::Default(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(state.windows.main, message, wParam, lParam);
}

// The scroll bar keeps to the right edge; the back buffer no longer fits and is made again by
// the next paint; the status bar re-docks itself and the sideways bar sits on it. The view's
// area follows the controls, so the editor hears of the new size last.
void MainWindow::OnSize() {
  RECT client{};
  GetClientRect(state.windows.main, &client);
  const int32_t dpi = state.windows.dpi;
  const auto scaled = [dpi](int32_t length) { return MulDiv(length, dpi, 96); };
  SetWindowPos(state.windows.scrollBar, nullptr, client.right - scaled(30), scaled(10), scaled(20),
               client.bottom - scaled(30), SWP_NOZORDER);
  state.backBuffer.Reset();
  SendMessageW(state.windows.statusBar, WM_SIZE, 0, 0);
  PlaceHorizontalScrollBar(client);
  if (state.editor) {
    state.editor->PlaceCaret();
    state.editor->UpdateScroll();
  }
}

// Along the bottom of the view, from the left edge to the vertical bar, on the status bar.
void MainWindow::PlaceHorizontalScrollBar(const RECT& client) {
  if (state.windows.horizontalScrollBar == nullptr) return;
  int32_t bottom = client.bottom;
  RECT status{};
  if (state.windows.statusBar != nullptr && GetWindowRect(state.windows.statusBar, &status)) {
    MapWindowPoints(nullptr, state.windows.main, reinterpret_cast<POINT*>(&status), 2);
    bottom = status.top;
  }
  const int32_t height = SystemMetricForDpi(SM_CYHSCROLL, state.windows.dpi);
  const int32_t barRoom = MulDiv(30, state.windows.dpi, 96);
  SetWindowPos(state.windows.horizontalScrollBar, nullptr, 0, bottom - height,
               std::max<int32_t>(0, client.right - barRoom), height, SWP_NOZORDER);
}

void MainWindow::OnPaint() {
  PaintScene scene;
  if (state.editor) {
    const Editor& editor = *state.editor;
    scene.lines = editor.document().lines;
    scene.currentLine = editor.document().currentLine;
    scene.selectedLines = editor.SelectedLines();
    scene.view = editor.Placement();
    scene.scale = editor.scale();
    if (editor.mouseCaptured()) {
      const DragRectangle& drag = editor.drag();
      scene.drag = DragOutline{drag.anchorX, drag.anchorY, drag.currentX, drag.currentY};
    }
  }
  PaintWindow(state.windows.main, state.backBuffer, state.resources, scene);
}

// The window moves to a monitor of another scaling (or the scaling changed): the controls take
// their sizes and faces at the new DPI, the window the size the system suggests, and the view
// draws at the new DPI. The rectangle is only read where it can be: the message may come from
// another program, whose pointer means nothing here.
void MainWindow::OnDpiChanged(int32_t dpi, LPARAM suggested) {
  const int32_t held = std::clamp(dpi, kLowestDpi, kHighestDpi);
  const RECT place = RectForNewDpi(state.windows.main, suggested, state.windows.dpi, held);
  state.windows.dpi = held;
  PlaceControls(held);
  SetWindowPos(state.windows.main, nullptr, place.left, place.top, place.right - place.left,
               place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
  OnSize();
  if (state.editor) state.editor->SetDpi(held);
  state.host.Invalidate();
}

// View > Symbol palette carries a check mark while the palette is shown.
void MainWindow::OnInitMenu(HMENU menu) {
  CheckMenuItem(menu, command::TogglePalette,
                MF_BYCOMMAND | (state.host.IsPaletteVisible() ? MF_CHECKED : MF_UNCHECKED));
}

// The buttons, the palette and the inline box are given in pixels at 96 DPI. The status bar
// takes its face at `dpi` and its height from it when it re-docks. Each control is told of its
// new face before the old one is deleted.
void MainWindow::PlaceControls(int32_t dpi) {
  GdiObject<HFONT> buttonFont = CreateButtonFont(dpi);
  PlaceStyleButtons(state.windows.main, dpi, buttonFont.Get());
  state.palette.Place(dpi, buttonFont.Get());
  state.buttonFont = std::move(buttonFont);
  state.inlineBox.SetDpi(dpi);
  GdiObject<HFONT> statusFont = CreateStatusFont(dpi);
  if (state.windows.statusBar != nullptr && statusFont.Get() != nullptr) {
    SendMessageW(state.windows.statusBar, WM_SETFONT,
                 reinterpret_cast<WPARAM>(statusFont.Get()), TRUE);
    state.statusFont = std::move(statusFont);
  }
  SetIcons(dpi);
}

// The class's icons are made at the system's sizes; on a monitor of another scaling the title
// bar and the taskbar would shrink or stretch them, so the window gets its own at that DPI.
void MainWindow::SetIcons(int32_t dpi) {
  const auto load = [&](int widthMetric, int heightMetric) {
    return OwnedIcon(static_cast<HICON>(LoadImageW(
        state.instance, MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON,
        SystemMetricForDpi(widthMetric, dpi), SystemMetricForDpi(heightMetric, dpi), 0)));
  };
  OwnedIcon small = load(SM_CXSMICON, SM_CYSMICON);
  OwnedIcon big = load(SM_CXICON, SM_CYICON);
  if (small.Get() == nullptr || big.Get() == nullptr) return;
  SendMessageW(state.windows.main, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.Get()));
  SendMessageW(state.windows.main, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.Get()));
  state.smallIcon = std::move(small);
  state.bigIcon = std::move(big);
}

void MainWindow::OnVerticalScroll(WPARAM wParam) {
  state.editor->OnVerticalScroll(static_cast<ScrollRequest>(LOWORD(wParam)),
                                 TrackPosition(state.windows.scrollBar));
}

void MainWindow::OnHorizontalScroll(WPARAM wParam) {
  state.editor->OnHorizontalScroll(static_cast<ScrollRequest>(LOWORD(wParam)),
                                   TrackPosition(state.windows.horizontalScrollBar));
}

// The drop is released before the editor asks anything, so the shell is not kept waiting.
void MainWindow::OnDropFiles(HDROP drop) {
  const std::vector<std::u16string> names = TakeDroppedFiles(drop);
  if (state.editor) state.editor->DropFiles(names);
}

// Unsaved changes are asked about first; default processing destroys the window, which ends the
// message loop.
LRESULT MainWindow::OnClose(WPARAM wParam, LPARAM lParam) {
  if (state.editor && !state.editor->RequestClose()) return 0;
  return Default(WM_CLOSE, wParam, lParam);
}

void MainWindow::ShowStatus(const std::u16string& text) {
  if (state.windows.statusBar == nullptr) {
    state.pendingStatus = text;
    return;
  }
  state.host.SetStatusText(text);
}

}  // namespace kav
