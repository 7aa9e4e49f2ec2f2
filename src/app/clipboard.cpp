#include "app/clipboard.h"

#include <cstring>
#include <utility>

#include "app/clipboard_bitmap.h"
#include "app/wide_text.h"
#include "base/failure.h"

namespace kav {

GlobalMemory::GlobalMemory(const void* data, size_t size, size_t blockSize)
    : handle(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, blockSize)) {
  void* target = handle != nullptr ? GlobalLock(handle) : nullptr;
  if (target == nullptr) {
    // No destructor runs for an object whose constructor throws.
    if (handle != nullptr) GlobalFree(handle);
    Fail(u"Not enough memory for the clipboard");
  }
  if (size > 0) std::memcpy(target, data, size);
  GlobalUnlock(handle);
}

GlobalMemory GlobalMemory::WithBytes(std::span<const uint8_t> bytes) {
  // A block is never empty: GlobalAlloc of zero bytes gives a discarded block.
  return GlobalMemory(bytes.data(), bytes.size(), bytes.empty() ? 1 : bytes.size());
}

GlobalMemory GlobalMemory::WithText(std::u16string_view text) {
  const size_t size = text.size() * sizeof(char16_t);
  // The zero-initialised last unit is the terminator.
  return GlobalMemory(text.data(), size, size + sizeof(char16_t));
}

GlobalMemory::GlobalMemory(GlobalMemory&& other) noexcept
    : handle(std::exchange(other.handle, nullptr)) {}

GlobalMemory::~GlobalMemory() {
  if (handle != nullptr) GlobalFree(handle);
}

bool GlobalMemory::PassToClipboard(UINT format) {
  if (handle == nullptr || SetClipboardData(format, handle) == nullptr) return false;
  handle = nullptr;
  return true;
}

namespace {

UINT RegisteredFormat(const char16_t* name) {
  return RegisterClipboardFormatW(Wide(name));
}

bool PassBitmapToClipboard(GdiObject<HBITMAP> bitmap) {
  if (bitmap.Get() == nullptr || SetClipboardData(CF_BITMAP, bitmap.Get()) == nullptr) return false;
  bitmap.Release();
  return true;
}

}  // namespace

// Every block is made before the clipboard opens, so a lack of memory changes nothing; the
// bitmap is drawn once the clipboard is ours. A format the clipboard refuses is left out.
bool PublishCopy(HWND window, UINT privateFormat, DrawingResources& resources,
                 const ClipboardPayloads& payloads) {
  GlobalMemory markup = GlobalMemory::WithText(payloads.markup);
  GlobalMemory package = GlobalMemory::WithBytes(payloads.officePackage);
  const UINT packageFormat = RegisteredFormat(kOfficeDrawingFormat);
  GlobalMemory document = GlobalMemory::WithBytes(payloads.hwpDocument);
  const UINT documentFormat = RegisteredFormat(kHwpDocumentFormat);
  OpenClipboardScope clipboard(window);
  if (!clipboard.IsOpen()) return false;
  EmptyClipboard();
  markup.PassToClipboard(privateFormat);
  PassBitmapToClipboard(DrawClipboardBitmap(window, resources, payloads.picture));
  package.PassToClipboard(packageFormat);
  document.PassToClipboard(documentFormat);
  return true;
}

bool PublishText(HWND window, std::u16string_view text) {
  GlobalMemory block = GlobalMemory::WithText(text);
  OpenClipboardScope clipboard(window);
  if (!clipboard.IsOpen()) return false;
  EmptyClipboard();
  return block.PassToClipboard(CF_UNICODETEXT);
}

bool PublishNamedTexts(HWND window, const std::vector<NamedClipboardData>& formats,
                       std::u16string_view text) {
  std::vector<GlobalMemory> blocks;
  std::vector<UINT> ids;
  for (const NamedClipboardData& data : formats) {
    blocks.push_back(GlobalMemory::WithBytes(data.bytes));
    ids.push_back(RegisteredFormat(data.format.c_str()));
  }
  GlobalMemory unicode = GlobalMemory::WithText(text);
  OpenClipboardScope clipboard(window);
  if (!clipboard.IsOpen()) return false;
  EmptyClipboard();
  for (size_t i = 0; i < blocks.size(); ++i) {
    if (ids[i] != 0) blocks[i].PassToClipboard(ids[i]);
  }
  return unicode.PassToClipboard(CF_UNICODETEXT);
}

std::optional<std::vector<uint8_t>> ReadClipboardBytes(HWND window, const std::u16string& name) {
  const UINT format = RegisteredFormat(name.c_str());
  OpenClipboardScope clipboard(window);
  if (!clipboard.IsOpen() || format == 0) return std::nullopt;
  HANDLE data = GetClipboardData(format);
  const void* locked = data != nullptr ? GlobalLock(data) : nullptr;
  if (locked == nullptr) return std::nullopt;
  const auto* bytes = static_cast<const uint8_t*>(locked);
  const size_t size = GlobalSize(data);
  size_t length = 0;
  while (length < size && bytes[length] != 0) ++length;
  std::vector<uint8_t> result(bytes, bytes + length);
  GlobalUnlock(data);
  return result;
}

std::optional<std::u16string> ReadClipboardText(HWND window, UINT format) {
  OpenClipboardScope clipboard(window);
  if (!clipboard.IsOpen() || format == 0) return std::nullopt;
  HANDLE data = GetClipboardData(format);
  const void* locked = data != nullptr ? GlobalLock(data) : nullptr;
  if (locked == nullptr) return std::nullopt;
  const size_t units = GlobalSize(data) / sizeof(char16_t);
  const auto* text = static_cast<const char16_t*>(locked);
  size_t length = 0;
  while (length < units && text[length] != u'\0') ++length;
  std::u16string result(text, length);
  GlobalUnlock(data);
  return result;
}

}  // namespace kav
