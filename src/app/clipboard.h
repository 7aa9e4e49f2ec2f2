// The Windows clipboard: owners for clipboard memory and for the open clipboard, and the two
// publications of the program (Copy's four formats, and Unicode text) plus reading back the
// private format. Every block made here is freed by its owner unless the clipboard took it.
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "app/drawing_resources.h"
#include "app/gdi_handles.h"
#include "app/win32.h"
#include "platform/host.h"

namespace kav {

// The names under which other programs look for the Office drawing and the HWP document.
inline constexpr char16_t kOfficeDrawingFormat[] = u"Art::GVML ClipFormat";
inline constexpr char16_t kHwpDocumentFormat[] = u"Hwp Native";

// A movable, zero-initialised global memory block, freed with its owner until one explicit call
// hands it to the clipboard.
class GlobalMemory {
 public:
  // Throws a Failure when the system has no memory for the block.
  static GlobalMemory WithBytes(std::span<const uint8_t> bytes);
  // The text and its terminating NUL: 2 x (length + 1) bytes.
  static GlobalMemory WithText(std::u16string_view text);

  GlobalMemory(GlobalMemory&& other) noexcept;
  GlobalMemory& operator=(GlobalMemory&&) = delete;
  GlobalMemory(const GlobalMemory&) = delete;
  GlobalMemory& operator=(const GlobalMemory&) = delete;
  ~GlobalMemory();

  // Sets the block as `format` on the open clipboard. When the clipboard takes it, it owns the
  // block from then on; when it refuses, the block stays here and is freed with this owner.
  bool PassToClipboard(UINT format);

 private:
  GlobalMemory(const void* data, size_t size, size_t blockSize);
  HGLOBAL handle = nullptr;
};

// The clipboard, opened for a window for as long as the object lives.
class OpenClipboardScope {
 public:
  explicit OpenClipboardScope(HWND owner) : open(OpenClipboard(owner) != 0) {}
  ~OpenClipboardScope() {
    if (open) CloseClipboard();
  }
  OpenClipboardScope(const OpenClipboardScope&) = delete;
  OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
  bool IsOpen() const { return open; }

 private:
  bool open;
};

// Empties the clipboard and sets, in this order, the markup as `privateFormat`, the picture as
// CF_BITMAP, the package as "Art::GVML ClipFormat" and the document as "Hwp Native". False,
// with nothing changed, when the clipboard cannot be opened.
bool PublishCopy(HWND window, UINT privateFormat, DrawingResources& resources,
                 const ClipboardPayloads& payloads);

// Empties the clipboard and sets the text as CF_UNICODETEXT.
bool PublishText(HWND window, std::u16string_view text);

// Empties the clipboard and sets each named format (registered by its name) and then the text
// as CF_UNICODETEXT.
bool PublishNamedTexts(HWND window, const std::vector<NamedClipboardData>& formats,
                       std::u16string_view text);

// The bytes of the registered format of that name, up to the first NUL (a block may be padded);
// nothing when the clipboard cannot be opened or holds no such format.
std::optional<std::vector<uint8_t>> ReadClipboardBytes(HWND window, const std::u16string& name);

// The text of `format`, up to its terminator and never past its block; nothing when the
// clipboard cannot be opened or holds no such format.
std::optional<std::u16string> ReadClipboardText(HWND window, UINT format);

}  // namespace kav
