// What the main window keeps between messages. One instance, owned by the main window object.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "app/drawing_resources.h"
#include "app/gdi_glyph_metrics.h"
#include "app/gdi_handles.h"
#include "app/win32.h"
#include "model/document.h"
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
  HWND mainWindow = nullptr;
  HWND scrollBar = nullptr;
  HWND statusBar = nullptr;
  DrawingResources resources;
  std::unique_ptr<Typesetting> typesetting;
  Document document;
  int32_t scrollOffset = 0;
  GdiObject<HBITMAP> backBuffer;
  UINT clipboardFormat = 0;
  // A message raised before the status bar exists (for example a refused command line), shown
  // once it does.
  std::u16string pendingStatus;
};

}  // namespace kav
