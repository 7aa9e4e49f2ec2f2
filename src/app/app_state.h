// What the main window keeps between messages. One instance, owned by the main window object.
#pragma once
#include <memory>
#include <string>

#include "app/drawing_resources.h"
#include "app/gdi_glyph_metrics.h"
#include "app/gdi_handles.h"
#include "app/inline_edit_box.h"
#include "app/palette_window.h"
#include "app/win32.h"
#include "app/win32_host.h"
#include "edit/editor.h"
#include "typeset/glyph_measure.h"
#include "typeset/layout.h"

namespace kav {

// Measurement and layout over the window's fonts: GDI answers, a cache remembers the answers.
struct Typesetting {
  Typesetting(HWND window, const FontSet& fonts) : platform(window, fonts) {}
  GdiGlyphMetrics platform;
  CachedGlyphMetrics metrics{platform};
  BoxLayouter layouter{metrics};
};

struct AppState {
  HINSTANCE instance = nullptr;
  HostWindows windows;
  DrawingResources resources;
  std::unique_ptr<Typesetting> typesetting;
  Win32Host host{windows, resources};
  // The document, its view and its editing; made by the creation handler once fonts exist.
  std::unique_ptr<Editor> editor;
  InlineEditBox inlineBox;
  PaletteWindow palette;
  GdiObject<HBITMAP> backBuffer;
  // The status bar's and the buttons' faces at the window's DPI (none for the buttons at the
  // system's), replaced when the DPI changes; the controls are told of a new face before the old
  // one is deleted.
  GdiObject<HFONT> statusFont;
  GdiObject<HFONT> buttonFont;
  // The title bar's and the taskbar's icons drawn for the window's DPI; the window is given a
  // new one before the old one is destroyed.
  OwnedIcon smallIcon;
  OwnedIcon bigIcon;
  // The document named on the command line, for the start-up open.
  std::u16string startupPath;
  // A message raised before the status bar exists (for example a refused command line), shown
  // once it does.
  std::u16string pendingStatus;
};

}  // namespace kav
