#include "app/paint_window.h"

#include "app/gdi_canvas.h"
#include "typeset/line_geometry.h"
#include "typeset/paint.h"
#include "typeset/paint_lines.h"

namespace kav {
namespace {

class PaintCycle {
 public:
  explicit PaintCycle(HWND window) : window(window), dc(BeginPaint(window, &paint)) {}
  ~PaintCycle() { EndPaint(window, &paint); }
  PaintCycle(const PaintCycle&) = delete;
  PaintCycle& operator=(const PaintCycle&) = delete;
  HDC Get() const { return dc; }
  // What the system asks to be drawn: the parts invalidated since the last paint.
  const RECT& Dirty() const { return paint.rcPaint; }

 private:
  HWND window;
  PAINTSTRUCT paint{};
  HDC dc;
};

void FillBackground(HDC dc, const RECT& client) {
  SelectObject(dc, GetStockObject(NULL_BRUSH));
  GdiObject<HBRUSH> brush(CreateSolidBrush(GetSysColor(COLOR_WINDOW)));
  FillRect(dc, &client, brush.Get());
}

// Layout units become pixels in the device context itself, so that the faces are rasterised at
// the final size (sharp at any scale) and pens grow with them. The saved state puts it back.
void ScaleDrawing(HDC dc, const ViewScale& scale) {
  if (scale.IsOne()) return;
  SetGraphicsMode(dc, GM_ADVANCED);
  const auto factor = static_cast<FLOAT>(static_cast<double>(scale.Numerator()) /
                                         static_cast<double>(ViewScale::kDenominator));
  XFORM transform{factor, 0, 0, factor, 0, 0};
  SetWorldTransform(dc, &transform);
}

}  // namespace

void PaintWindow(HWND window, GdiObject<HBITMAP>& backBuffer, DrawingResources& resources,
                 const PaintScene& scene) {
  RECT client{};
  GetClientRect(window, &client);
  PaintCycle paint(window);
  MemoryDc memory(paint.Get());
  if (backBuffer.Get() == nullptr) {
    backBuffer = GdiObject<HBITMAP>(CreateCompatibleBitmap(paint.Get(), client.right, client.bottom));
  }
  SelectedObject bitmap(memory.Get(), backBuffer.Get());
  // Only the invalidated part is drawn and copied; the rest of the back buffer and the window
  // keep what the previous paints drew there.
  const RECT dirty = paint.Dirty();
  FillBackground(memory.Get(), dirty);
  {
    // Lines show only in the view's area, never beside or behind the controls over the window.
    const ViewArea& area = scene.view.area;
    SavedDcState clip(memory.Get());
    const ViewScale& scale = scene.scale;
    IntersectClipRect(memory.Get(), scale.ToPixels(area.left), scale.ToPixels(area.top),
                      scale.ToPixels(area.right), scale.ToPixels(area.bottom));
    IntersectClipRect(memory.Get(), dirty.left, dirty.top, dirty.right, dirty.bottom);
    ScaleDrawing(memory.Get(), scale);
    GdiCanvas canvas(memory.Get(), resources, GetSysColor(COLOR_WINDOW));
    const ViewArea dirtyUnits{scale.ToUnits(dirty.left), scale.ToUnits(dirty.top),
                              scale.ToUnits(dirty.right) + 1, scale.ToUnits(dirty.bottom) + 1};
    PaintViewLines(canvas, {scene.lines, scene.currentLine, scene.selectedLines, scene.view},
                   dirtyUnits);
    if (scene.drag) {
      DrawDragOutline(canvas, scene.drag->startX, scene.drag->startY, scene.drag->endX,
                      scene.drag->endY);
    }
  }
  BitBlt(paint.Get(), dirty.left, dirty.top, dirty.right - dirty.left, dirty.bottom - dirty.top,
         memory.Get(), dirty.left, dirty.top, SRCCOPY);
}

}  // namespace kav
