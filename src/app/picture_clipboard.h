// Copy picture on the Windows clipboard: the line drawn from GDI's glyph outlines as an enhanced
// metafile (CF_ENHMETAFILE, made by the portable EMF writer), as a PNG at four times the size
// with a transparent background (registered "PNG") and as a bitmap at the layout's size (CF_DIB),
// both filled from the same shapes by the portable rasterizer that anti-aliases as the native
// converter does.
#pragma once
#include "app/drawing_resources.h"
#include "app/win32.h"
#include "platform/host.h"

namespace kav {

inline constexpr char16_t kPngFormat[] = u"PNG";
inline constexpr int32_t kClipboardPngScale = 4;

// Empties the clipboard and sets the three formats. False, with nothing changed, when the
// clipboard cannot be opened; throws a Failure when the picture cannot be made.
bool PublishPicture(HWND window, DrawingResources& resources, const ClipboardPicture& picture);

}  // namespace kav
