#include "metafile_check.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/gdi_handles.h"
#include "app/win32.h"

namespace kavprobe {
namespace {

// Half a pixel's coverage, in levels of 255.
constexpr int kHalf = 128;
// GDI fills paths without anti-aliasing, each pixel in or out, so the metafile is also played at
// this many times the size and averaged back: a coverage like the bitmap's.
constexpr int32_t kFiner = 4;

struct Pixels {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint8_t> bgra;  // top-down rows, 4 bytes per pixel
};

class ClipboardScope {
 public:
  ClipboardScope() : open(OpenClipboard(nullptr) != 0) {}
  ~ClipboardScope() {
    if (open) CloseClipboard();
  }
  ClipboardScope(const ClipboardScope&) = delete;
  ClipboardScope& operator=(const ClipboardScope&) = delete;
  bool IsOpen() const { return open; }

 private:
  bool open;
};

MetafileReport Missing(const std::string& what) {
  return {false, what};
}

// A packed DIB as top-down BGRA; empty when it is not an uncompressed 24- or 32-bit bitmap.
Pixels ReadDib(const uint8_t* data, size_t size) {
  BITMAPINFOHEADER header{};
  if (size < sizeof header) return {};
  std::memcpy(&header, data, sizeof header);
  const bool masks = header.biCompression == BI_BITFIELDS && header.biSize == sizeof header;
  if ((header.biBitCount != 24 && header.biBitCount != 32) ||
      (header.biCompression != BI_RGB && header.biCompression != BI_BITFIELDS) ||
      header.biWidth <= 0 || header.biHeight == 0) {
    return {};
  }
  Pixels pixels{header.biWidth, header.biHeight < 0 ? -header.biHeight : header.biHeight, {}};
  const size_t bytesPerPixel = header.biBitCount / 8;
  const size_t stride = (pixels.width * bytesPerPixel + 3) / 4 * 4;
  const size_t offset = header.biSize + (masks ? 12 : 0) + header.biClrUsed * 4;
  if (offset + stride * pixels.height > size) return {};
  pixels.bgra.resize(static_cast<size_t>(pixels.width) * pixels.height * 4);
  for (int32_t y = 0; y < pixels.height; ++y) {
    const int32_t source = header.biHeight < 0 ? y : pixels.height - 1 - y;
    const uint8_t* row = data + offset + stride * source;
    for (int32_t x = 0; x < pixels.width; ++x) {
      std::memcpy(&pixels.bgra[(static_cast<size_t>(y) * pixels.width + x) * 4],
                  row + x * bytesPerPixel, 3);
    }
  }
  return pixels;
}

// The metafile played by GDI onto white, stretched to width x height as a program that pastes it
// at that size does.
Pixels Play(HENHMETAFILE metafile, int32_t width, int32_t height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  kav::MemoryDc dc(nullptr);
  kav::GdiObject<HBITMAP> bitmap(
      CreateDIBSection(dc.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (bitmap.Get() == nullptr || bits == nullptr) return {};
  kav::SelectedObject selected(dc.Get(), bitmap.Get());
  const RECT all{0, 0, width, height};
  FillRect(dc.Get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  if (!PlayEnhMetaFile(dc.Get(), metafile, &all)) return {};
  GdiFlush();
  Pixels pixels{width, height, {}};
  const auto* begin = static_cast<const uint8_t*>(bits);
  pixels.bgra.assign(begin, begin + static_cast<size_t>(width) * height * 4);
  return pixels;
}

// Each `factor` x `factor` block of the picture averaged into one pixel.
Pixels Reduce(const Pixels& large, int32_t factor) {
  Pixels small{large.width / factor, large.height / factor, {}};
  std::vector<uint32_t> sums(static_cast<size_t>(small.width) * small.height * 4);
  for (int32_t y = 0; y < small.height * factor; ++y) {
    for (int32_t x = 0; x < small.width * factor; ++x) {
      const size_t from = (static_cast<size_t>(y) * large.width + x) * 4;
      const size_t to = (static_cast<size_t>(y / factor) * small.width + x / factor) * 4;
      for (int c = 0; c < 4; ++c) sums[to + c] += large.bgra[from + c];
    }
  }
  for (const uint32_t sum : sums)
    small.bgra.push_back(static_cast<uint8_t>(sum / (factor * factor)));
  return small;
}

// How much of the pixel is covered by black: 0 on white, 255 on black.
int Ink(const uint8_t* bgra) {
  return 255 - (114 * bgra[0] + 587 * bgra[1] + 299 * bgra[2]) / 1000;
}

// The pixels that either picture inks by at least half, and of those the ones whose coverages
// differ by more than half: one minus their ratio is the ink masks' intersection over union with
// a pixel covered 0.45 by one and 0.55 by the other counted as agreeing.
struct InkFigures {
  int64_t inked = 0, apart = 0;
};

InkFigures CompareInk(const Pixels& a, const Pixels& b) {
  InkFigures figures;
  for (size_t i = 0; i + 3 < a.bgra.size() && i + 3 < b.bgra.size(); i += 4) {
    const int inkA = Ink(&a.bgra[i]), inkB = Ink(&b.bgra[i]);
    figures.inked += std::max(inkA, inkB) >= kHalf;
    figures.apart += std::abs(inkA - inkB) > kHalf;
  }
  return figures;
}

void WriteBmp(const std::wstring& path, const Pixels& pixels) {
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = pixels.width;
  info.biHeight = -pixels.height;
  info.biPlanes = 1;
  info.biBitCount = 32;
  info.biCompression = BI_RGB;
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = static_cast<DWORD>(file.bfOffBits + pixels.bgra.size());
  HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(handle, &file, sizeof file, &written, nullptr);
  WriteFile(handle, &info, sizeof info, &written, nullptr);
  WriteFile(handle, pixels.bgra.data(), static_cast<DWORD>(pixels.bgra.size()), &written, nullptr);
  CloseHandle(handle);
}

std::string Numbers(std::initializer_list<int64_t> values) {
  std::string text;
  for (const int64_t value : values) text += " " + std::to_string(value);
  return text;
}

std::string InkNumbers(const Pixels& played, const Pixels& dib) {
  const InkFigures ink = CompareInk(played, dib);
  return Numbers({ink.inked, ink.apart});
}

std::string HeaderFigures(HENHMETAFILE metafile, const ENHMETAHEADER& header) {
  const RECTL& b = header.rclBounds;
  const RECTL& f = header.rclFrame;
  return "bounds" + Numbers({b.left, b.top, b.right, b.bottom}) + "\nframe" +
         Numbers({f.left, f.top, f.right, f.bottom}) + "\nrecords" + Numbers({header.nRecords}) +
         "\nbytes" + Numbers({header.nBytes, GetEnhMetaFileBits(metafile, 0, nullptr)}) + "\n";
}

}  // namespace

MetafileReport CheckClipboardMetafile(const std::wstring& playedBmp) {
  ClipboardScope clipboard;
  if (!clipboard.IsOpen()) return Missing("cannot open the clipboard");
  const auto metafile = static_cast<HENHMETAFILE>(GetClipboardData(CF_ENHMETAFILE));
  if (metafile == nullptr) return Missing("no CF_ENHMETAFILE on the clipboard");
  ENHMETAHEADER header{};
  if (GetEnhMetaFileHeader(metafile, sizeof header, &header) == 0) {
    return Missing("GetEnhMetaFileHeader cannot read the metafile");
  }
  HANDLE dibHandle = GetClipboardData(CF_DIB);
  if (dibHandle == nullptr) return Missing("no CF_DIB on the clipboard");
  const auto* dibData = static_cast<const uint8_t*>(GlobalLock(dibHandle));
  if (dibData == nullptr) return Missing("CF_DIB cannot be locked");
  const Pixels dib = ReadDib(dibData, GlobalSize(dibHandle));
  GlobalUnlock(dibHandle);
  if (dib.bgra.empty()) return Missing("CF_DIB is not an uncompressed 24- or 32-bit bitmap");
  const Pixels played = Play(metafile, dib.width, dib.height);
  const Pixels large = Play(metafile, dib.width * kFiner, dib.height * kFiner);
  if (played.bgra.empty() || large.bgra.empty()) {
    return Missing("PlayEnhMetaFile cannot play the metafile");
  }
  const Pixels finer = Reduce(large, kFiner);
  if (!playedBmp.empty()) WriteBmp(playedBmp, finer);
  return {true, HeaderFigures(metafile, header) + "dib" + Numbers({dib.width, dib.height}) +
                    "\nink" + InkNumbers(played, dib) + "\nfiner" + InkNumbers(finer, dib) + "\n"};
}

}  // namespace kavprobe
