// The clipboard's picture as a bitmap compatible with the window: the line drawn with GDI with
// room around its root box, then cut to the box and every inked pixel plus the picture margin,
// exactly as the native converter frames it.
#pragma once
#include "app/drawing_resources.h"
#include "app/gdi_handles.h"
#include "app/win32.h"
#include "platform/host.h"

namespace kav {

// The picture drawn now on the window colour; no bitmap for a picture without area.
GdiObject<HBITMAP> DrawClipboardBitmap(HWND window, DrawingResources& resources,
                                       const ClipboardPicture& picture);

}  // namespace kav
