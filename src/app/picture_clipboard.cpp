#include "app/picture_clipboard.h"

#include <cstring>
#include <vector>

#include "app/clipboard.h"
#include "app/gdi_glyph_outlines.h"
#include "app/gdi_handles.h"
#include "app/wide_text.h"
#include "base/failure.h"
#include "export/emf_writer.h"
#include "typeset/vector_picture.h"

namespace kav {
namespace {

// GDI+'s PNG encoder.
constexpr CLSID kPngEncoder = {
    0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};

Gdiplus::PointF ToPoint(OutlinePoint p, double dx, double dy) {
  return {static_cast<Gdiplus::REAL>(p.x + dx), static_cast<Gdiplus::REAL>(p.y + dy)};
}

// One shape as a GDI+ path: quadratic pieces raised to cubics, filled with the non-zero rule.
void AddOutline(Gdiplus::GraphicsPath& path, const Outline& outline, double dx, double dy) {
  size_t k = 0;
  Gdiplus::PointF current;
  const auto& p = outline.points;
  for (const OutlineVerb verb : outline.verbs) {
    switch (verb) {
      case OutlineVerb::Move:
        path.StartFigure();
        current = ToPoint(p[k], dx, dy);
        break;
      case OutlineVerb::Line: {
        const Gdiplus::PointF to = ToPoint(p[k], dx, dy);
        path.AddLine(current, to);
        current = to;
        break;
      }
      case OutlineVerb::Quad: {
        const Gdiplus::PointF c = ToPoint(p[k], dx, dy), e = ToPoint(p[k + 1], dx, dy);
        const auto third = [](Gdiplus::PointF a, Gdiplus::PointF b) {
          return Gdiplus::PointF(a.X + (b.X - a.X) * 2 / 3, a.Y + (b.Y - a.Y) * 2 / 3);
        };
        path.AddBezier(current, third(current, c), third(e, c), e);
        current = e;
        break;
      }
      case OutlineVerb::Cubic: {
        const Gdiplus::PointF e = ToPoint(p[k + 2], dx, dy);
        path.AddBezier(current, ToPoint(p[k], dx, dy), ToPoint(p[k + 1], dx, dy), e);
        current = e;
        break;
      }
      case OutlineVerb::Close: path.CloseFigure(); break;
    }
    k += PointsOf(verb);
  }
}

// The picture at `scale` on a 32-bit ARGB bitmap: transparent, or on white.
void DrawShapes(Gdiplus::Bitmap& bitmap, const VectorPicture& picture, int32_t scale,
                bool transparent) {
  Gdiplus::Graphics graphics(&bitmap);
  graphics.Clear(transparent ? Gdiplus::Color(0, 255, 255, 255)
                             : Gdiplus::Color(255, 255, 255, 255));
  graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
  graphics.ScaleTransform(static_cast<Gdiplus::REAL>(scale), static_cast<Gdiplus::REAL>(scale));
  for (const Shape& shape : picture.shapes) {
    Gdiplus::GraphicsPath path(Gdiplus::FillModeWinding);
    AddOutline(path, shape.outline, -picture.frame.left, -picture.frame.top);
    Gdiplus::SolidBrush brush(Gdiplus::Color(255, shape.colour.r, shape.colour.g, shape.colour.b));
    graphics.FillPath(&brush, &path);
  }
}

std::vector<uint8_t> PngBytes(const VectorPicture& picture) {
  Gdiplus::Bitmap bitmap(picture.Width() * kClipboardPngScale,
                         picture.Height() * kClipboardPngScale, PixelFormat32bppARGB);
  DrawShapes(bitmap, picture, kClipboardPngScale, true);
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

// A packed device-independent bitmap: the header, then 24-bit rows bottom-up, each padded to
// four bytes.
std::vector<uint8_t> DibBytes(const VectorPicture& picture) {
  const int32_t width = picture.Width(), height = picture.Height();
  Gdiplus::Bitmap bitmap(width, height, PixelFormat32bppARGB);
  DrawShapes(bitmap, picture, 1, false);
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
  Gdiplus::BitmapData data{};
  Gdiplus::Rect all(0, 0, width, height);
  if (bitmap.LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data) !=
      Gdiplus::Ok) {
    Fail(u"Cannot make the bitmap");
  }
  for (int32_t y = 0; y < height; ++y) {
    const auto* row =
        static_cast<const uint8_t*>(data.Scan0) + static_cast<ptrdiff_t>(y) * data.Stride;
    uint8_t* out = bytes.data() + sizeof header + (height - 1 - y) * stride;
    for (int32_t x = 0; x < width; ++x) std::memcpy(out + x * 3, row + x * 4, 3);  // B, G, R
  }
  bitmap.UnlockBits(&data);
  return bytes;
}

}  // namespace

bool PublishPicture(HWND window, DrawingResources& resources, const ClipboardPicture& picture) {
  WindowDc windowDc(window);
  MemoryDc memory(windowDc.Get());
  const GdiGlyphOutlines outlines(memory.Get(), resources.fonts);
  const VectorPicture vector = DrawVectorPicture(picture, outlines);
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
