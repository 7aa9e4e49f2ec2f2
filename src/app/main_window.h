// The main window: class registration, creation and the window procedure that routes every
// message, each under the one failure guard of the program.
#pragma once
#include <string>

#include "app/app_state.h"
#include "app/command_line.h"
#include "app/win32.h"

namespace kav {

// The scroll bar child's control id.
inline constexpr int kScrollBarId = 17;
// The sideways bar under the view, for lines wider than the window.
inline constexpr int kHorizontalScrollBarId = 18;
// The program's private clipboard format: the markup of the copied selection.
inline constexpr char16_t kPrivateClipboardFormat[] = u"Kav v0.1.1";

class MainWindow {
 public:
  MainWindow(HINSTANCE instance, StartupPath startup);
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  static bool RegisterWindowClass(HINSTANCE instance);
  // Creates and shows the window; false when the system refused to create it.
  bool Create(int showCommand);

  HWND Handle() const { return state.windows.main; }
  std::u16string Title() const;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Guarded(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Route(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT RouteInput(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);

  // Creation, in main_window_create.cpp.
  void OnCreate();
  void CreateScrollBar();
  void CreateStatusBar();
  void CreateInlineBox();
  void CreatePalette();
  void StartupOpen();

  void OnSize();
  void OnPaint();
  void OnVerticalScroll(WPARAM wParam);
  void OnHorizontalScroll(WPARAM wParam);
  void PlaceHorizontalScrollBar(const RECT& client);
  void OnDropFiles(HDROP drop);
  void OnDpiChanged(int32_t dpi, LPARAM suggested);
  void PlaceControls(int32_t dpi);
  void SetIcons(int32_t dpi);
  void OnInitMenu(HMENU menu);
  LRESULT OnClose(WPARAM wParam, LPARAM lParam);
  void ShowStatus(const std::u16string& text);

  AppState state;
};

}  // namespace kav
