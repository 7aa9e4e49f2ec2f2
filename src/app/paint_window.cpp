#include "app/paint_window.h"

#include "app/gdi_canvas.h"
#include "typeset/line_geometry.h"
#include "typeset/paint.h"

namespace kav {
namespace {

// Ink may reach a little past a band (an accent above a tall root): lines this close to the
// client area are drawn too, so that skipping the others never changes what is seen.
constexpr int32_t kPaintSlack = 32;

class PaintCycle {
 public:
  explicit PaintCycle(HWND window) : window(window), dc(BeginPaint(window, &paint)) {}
  ~PaintCycle() { EndPaint(window, &paint); }
  PaintCycle(const PaintCycle&) = delete;
  PaintCycle& operator=(const PaintCycle&) = delete;
  HDC Get() const { return dc; }

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

// Band tops are summed on the way down, so a paint costs one pass over the lines.
void DrawLines(Canvas& canvas, const PaintScene& scene) {
  const ViewArea& area = scene.view.area;
  int32_t bandTop = 0;
  for (size_t i = 0; i < scene.lines.size(); ++i) {
    const EquationLine& line = scene.lines[i];
    const int32_t band = BandHeightOf(line);
    const int32_t top = area.top + bandTop - scene.view.scrollY;
    bandTop += band;
    if (top + band + kPaintSlack <= area.top) continue;
    if (top - kPaintSlack >= area.bottom) break;
    const ClientPoint origin = LineOrigin(line, bandTop - band, scene.view);
    const auto index = static_cast<int32_t>(i);
    const bool selected = scene.selectedLines && index >= scene.selectedLines->first &&
                          index <= scene.selectedLines->second;
    PaintLineBoxes(canvas, origin.x, origin.y, line.boxes,
                   index == scene.currentLine || selected ? &line.selection.marks : nullptr);
  }
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
  FillBackground(memory.Get(), client);
  {
    // Lines show only in the view's area, never beside or behind the controls over the window.
    const ViewArea& area = scene.view.area;
    SavedDcState clip(memory.Get());
    const ViewScale& scale = scene.scale;
    IntersectClipRect(memory.Get(), scale.ToPixels(area.left), scale.ToPixels(area.top),
                      scale.ToPixels(area.right), scale.ToPixels(area.bottom));
    ScaleDrawing(memory.Get(), scale);
    GdiCanvas canvas(memory.Get(), resources, GetSysColor(COLOR_WINDOW));
    DrawLines(canvas, scene);
    if (scene.drag) {
      DrawDragOutline(canvas, scene.drag->startX, scene.drag->startY, scene.drag->endX,
                      scene.drag->endY);
    }
  }
  BitBlt(paint.Get(), 0, 0, client.right, client.bottom, memory.Get(), 0, 0, SRCCOPY);
}

}  // namespace kav
