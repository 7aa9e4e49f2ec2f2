#include "app/picture_clipboard.h"

#include <cstring>
#include <utility>
#include <vector>

#include "app/clipboard.h"
#include "app/gdi_glyph_metrics.h"
#include "app/gdi_glyph_outlines.h"
#include "app/gdi_handles.h"
#include "app/wide_text.h"
#include "base/failure.h"
#include "export/emf_writer.h"
#include "export/shape_pixels.h"
#include "hwp/png_chunks.h"
#include "typeset/vector_picture.h"

namespace kav {
namespace {

// GDI+'s PNG encoder.
constexpr CLSID kPngEncoder = {
    0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};

// The picture at `scale` by our own rasterizer (GDI+ under Wine fills paths without
// anti-aliasing), so the clipboard's bitmaps match the converter's pictures of the line.
std::vector<uint8_t> Pixels(const VectorPicture& picture, int32_t scale, bool transparent) {
  return ShapePixels(picture, scale, transparent, Rgb{255, 255, 255});
}

// GDI+ encodes the PNG from straight-alpha BGRA rows.
std::vector<uint8_t> EncodePng(std::vector<uint8_t> rgba, int32_t width, int32_t height) {
  for (size_t i = 0; i < rgba.size(); i += 4) std::swap(rgba[i], rgba[i + 2]);
  Gdiplus::Bitmap bitmap(width, height, width * 4, PixelFormat32bppARGB, rgba.data());
  IStream* stream = nullptr;
  if (CreateStreamOnHGlobal(nullptr, TRUE, &stream) != S_OK) Fail(u"Cannot make the PNG");
  std::vector<uint8_t> bytes;
  HGLOBAL memory = nullptr;
  if (bitmap.Save(stream, &kPngEncoder, nullptr) == Gdiplus::Ok &&
      GetHGlobalFromStream(stream, &memory) == S_OK) {
    STATSTG stat{};
    stream->Stat(&stat, STATFLAG_NONAME);
    const void* data = GlobalLock(memory);
    if (data != nullptr) {
      const auto* begin = static_cast<const uint8_t*>(data);
      bytes.assign(begin, begin + stat.cbSize.QuadPart);
      GlobalUnlock(memory);
    }
  }
  stream->Release();
  if (bytes.empty()) Fail(u"Cannot make the PNG");
  return bytes;
}

std::vector<uint8_t> PngBytes(const VectorPicture& picture) {
  return WithPngResolution(EncodePng(Pixels(picture, kClipboardPngScale, true),
                                     picture.Width() * kClipboardPngScale,
                                     picture.Height() * kClipboardPngScale),
                           kClipboardPngScale);
}

// A packed device-independent bitmap: the header, then 24-bit rows bottom-up, each padded to
// four bytes.
std::vector<uint8_t> DibBytes(const VectorPicture& picture) {
  const int32_t width = picture.Width(), height = picture.Height();
  const std::vector<uint8_t> rgba = Pixels(picture, 1, false);
  const size_t stride = (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
  std::vector<uint8_t> bytes(sizeof(BITMAPINFOHEADER) + stride * height);
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  header.biSizeImage = static_cast<DWORD>(stride * height);
  std::memcpy(bytes.data(), &header, sizeof header);
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* row = rgba.data() + static_cast<size_t>(y) * width * 4;
    uint8_t* out = bytes.data() + sizeof header + (height - 1 - y) * stride;
    for (int32_t x = 0; x < width; ++x) {
      out[x * 3] = row[x * 4 + 2];  // B, G, R
      out[x * 3 + 1] = row[x * 4 + 1];
      out[x * 3 + 2] = row[x * 4];
    }
  }
  return bytes;
}

}  // namespace

bool PublishPicture(HWND window, DrawingResources& resources, const ClipboardPicture& picture) {
  WindowDc windowDc(window);
  MemoryDc memory(windowDc.Get());
  const GdiGlyphOutlines outlines(memory.Get(), resources.fonts);
  const GdiGlyphMetrics inks(window, resources.fonts);  // what the layout and the screen measure
  const VectorPicture vector = DrawVectorPicture(picture, outlines, inks);
  const std::vector<uint8_t> emf = WriteEmf(vector);
  GlobalMemory png = GlobalMemory::WithBytes(PngBytes(vector));
  GlobalMemory dib = GlobalMemory::WithBytes(DibBytes(vector));
  const UINT pngFormat = RegisterClipboardFormatW(Wide(kPngFormat));
  HENHMETAFILE metafile = SetEnhMetaFileBits(static_cast<UINT>(emf.size()), emf.data());
  if (metafile == nullptr) Fail(u"Cannot make the metafile");
  OpenClipboardScope clipboard(window);
  if (!clipboard.IsOpen()) {
    DeleteEnhMetaFile(metafile);
    return false;
  }
  EmptyClipboard();
  if (SetClipboardData(CF_ENHMETAFILE, metafile) == nullptr) DeleteEnhMetaFile(metafile);
  png.PassToClipboard(pngFormat);
  dib.PassToClipboard(CF_DIB);
  return true;
}

}  // namespace kav
