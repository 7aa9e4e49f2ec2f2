#include "app/clipboard_bitmap.h"

#include <algorithm>
#include <vector>

#include "app/gdi_canvas.h"
#include "typeset/picture_frame.h"
#include "typeset/shifted_canvas.h"

namespace kav {
namespace {

// A bitmap compatible with the window (not with a memory DC, which would make it monochrome)
// filled with the window colour.
GdiObject<HBITMAP> WindowColourBitmap(HDC windowDc, HDC memory, int32_t width, int32_t height) {
  GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(windowDc, width, height));
  if (bitmap.Get() == nullptr) return bitmap;
  SelectedObject selected(memory, bitmap.Get());
  GdiObject<HBRUSH> brush(CreateSolidBrush(GetSysColor(COLOR_WINDOW)));
  const RECT all{0, 0, width, height};
  FillRect(memory, &all, brush.Get());
  return bitmap;
}

// The bounds of the pixels that differ from the top-left one, which lies `room` pixels away from
// the root box and so holds the window colour as the device stores it. The bitmap is not
// selected into any DC, as GetDIBits needs.
PixelRect InkBounds(HDC dc, HBITMAP bitmap, int32_t width, int32_t height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
  if (GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS) !=
      height) {
    return {};  // unreadable: the picture falls back to the root box and its margin
  }
  const uint32_t background = pixels[0] & 0xFFFFFF;
  PixelRect ink{width, height, 0, 0};
  for (int32_t y = 0; y < height; ++y) {
    const uint32_t* row = &pixels[static_cast<size_t>(y) * width];
    for (int32_t x = 0; x < width; ++x) {
      if ((row[x] & 0xFFFFFF) == background) continue;
      ink = {std::min(ink.left, x), std::min(ink.top, y), std::max(ink.right, x + 1),
             std::max(ink.bottom, y + 1)};
    }
  }
  return ink.Empty() ? PixelRect{} : ink;
}

// Draws the picture with its root's top-left corner at (room, room) into `surface`, a new bitmap
// `room` pixels larger than the root box on every side, and returns the bounds of its ink.
PixelRect DrawPadded(HDC windowDc, HDC memory, DrawingResources& resources,
                     const ClipboardPicture& picture, int32_t room, GdiObject<HBITMAP>& surface) {
  const int32_t width = picture.width + 2 * room, height = picture.height + 2 * room;
  surface = WindowColourBitmap(windowDc, memory, width, height);
  if (surface.Get() == nullptr) return {};
  {
    SelectedObject selected(memory, surface.Get());
    SelectedObject noBrush(memory, GetStockObject(NULL_BRUSH));
    SetBkMode(memory, TRANSPARENT);
    GdiCanvas canvas(memory, resources, GetSysColor(COLOR_WINDOW));
    ShiftedCanvas shifted(canvas, room, room);
    picture.draw(shifted);
  }
  return InkBounds(memory, surface.Get(), width, height);
}

// The frame's part of `surface`, copied into a bitmap of its own.
GdiObject<HBITMAP> CutOut(HDC windowDc, HDC memory, HBITMAP surface, const PixelRect& frame) {
  GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(windowDc, frame.Width(), frame.Height()));
  MemoryDc target(windowDc);
  if (bitmap.Get() == nullptr || target.Get() == nullptr) return {};
  SelectedObject source(memory, surface);
  SelectedObject selected(target.Get(), bitmap.Get());
  if (!BitBlt(target.Get(), 0, 0, frame.Width(), frame.Height(), memory, frame.left, frame.top,
              SRCCOPY)) {
    return {};
  }
  return bitmap;
}

}  // namespace

GdiObject<HBITMAP> DrawClipboardBitmap(HWND window, DrawingResources& resources,
                                       const ClipboardPicture& picture) {
  if (picture.width <= 0 || picture.height <= 0) return {};
  WindowDc windowDc(window);
  MemoryDc memory(windowDc.Get());
  if (memory.Get() == nullptr) return {};
  GdiObject<HBITMAP> surface;
  const PixelRect frame = FindPictureFrame(picture.width, picture.height, [&](int32_t room) {
    return DrawPadded(windowDc.Get(), memory.Get(), resources, picture, room, surface);
  });
  if (surface.Get() == nullptr || frame.Empty()) return {};
  // Both bitmaps are out of the memory DCs again, as the clipboard needs them.
  return CutOut(windowDc.Get(), memory.Get(), surface.Get(), frame);
}

}  // namespace kav
