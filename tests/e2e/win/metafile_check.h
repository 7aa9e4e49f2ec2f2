// Reads Copy picture's metafile and bitmap back as a Windows program does: the metafile header,
// and the metafile played by GDI into a bitmap of CF_DIB's size, and at four times that size
// averaged back, whose ink is compared with CF_DIB's.
#pragma once
#include <string>

namespace kavprobe {

struct MetafileReport {
  bool ok = false;
  std::string text;  // the figures, one "name values" per line; or what was missing
};

// Opens the clipboard (no owner window needed). When `playedBmp` is not empty, the bitmap played
// at four times the size and averaged back is also written there as a 32-bit BMP file.
MetafileReport CheckClipboardMetafile(const std::wstring& playedBmp);

}  // namespace kavprobe
