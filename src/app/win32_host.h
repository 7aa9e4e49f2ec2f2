// What the editor asks of its window, done with Win32 on the main window and its children.
#pragma once
#include "app/drawing_resources.h"
#include "app/win32.h"
#include "platform/host.h"

namespace kav {

// The windows the host acts on; filled in as the creation handler makes them.
struct HostWindows {
  HWND main = nullptr;
  HWND scrollBar = nullptr;
  HWND horizontalScrollBar = nullptr;
  HWND statusBar = nullptr;
  HWND inlineBox = nullptr;
  HWND palette = nullptr;
  UINT privateFormat = 0;
  // The DPI the window is drawn at: its monitor's, as the last scaling change said.
  int32_t dpi = 96;
};

class Win32Host final : public Host {
 public:
  // `resources` draws the clipboard picture.
  Win32Host(const HostWindows& windows, DrawingResources& resources)
      : windows(windows), resources(resources) {}

  void Invalidate() override;
  void InvalidateArea(const ViewArea& pixels) override;
  ClientSize GetClientSize() const override;
  ViewArea GetViewArea() const override;
  void SetScrollBar(const ScrollBarState& state) override;
  void SetHorizontalScrollBar(const ScrollBarState& state) override;
  void SetStatusText(std::u16string_view text) override;
  std::u16string StatusText() const override { return statusText; }
  void FocusMainWindow() override;
  void CaptureMouse() override;
  void ReleaseMouse() override;
  void PostClose() override;
  void OpenManual() override;

  void CreateCaret(int32_t width, int32_t height) override;
  void ShowCaret() override;
  void MoveCaret(int32_t x, int32_t y) override;
  void DestroyCaret() override;

  Answer AskYesNoCancel(std::u16string_view text, std::u16string_view caption) override;
  Answer AskYesNo(std::u16string_view text, std::u16string_view caption) override;
  void ShowError(std::u16string_view text, std::u16string_view caption) override;

  // Files and dialogs, in win32_host_files.cpp.
  std::optional<std::u16string> ChooseOpenPath() override;
  std::optional<std::u16string> ChooseSavePath() override;
  bool FileExists(std::u16string_view path) const override;
  std::optional<FileStamp> StampOfFile(std::u16string_view path) const override;
  std::optional<FileContents> ReadFile(std::u16string_view path) override;
  std::optional<FileStamp> WriteFile(std::u16string_view path,
                                     const std::vector<uint8_t>& bytes) override;

  // Clipboard, in win32_host_clipboard.cpp.
  bool PublishClipboard(const ClipboardPayloads& payloads) override;
  bool PublishUnicodeText(std::u16string_view text) override;
  bool PublishPicture(const ClipboardPicture& picture) override;
  bool PublishNamedFormats(const std::vector<NamedClipboardData>& formats,
                           std::u16string_view text) override;
  std::optional<std::u16string> ReadPrivateClipboardText() override;
  std::optional<std::vector<uint8_t>> ReadNamedClipboardFormat(std::u16string_view format) override;
  std::optional<std::u16string> ReadUnicodeClipboardText() override;

  // Inline box and palette, in win32_host_controls.cpp.
  void ShowInlineBox(int32_t x, int32_t y) override;
  void HideInlineBox() override;
  bool IsPaletteVisible() const override;
  void SetPaletteVisible(bool visible) override;

 private:
  const HostWindows& windows;
  DrawingResources& resources;
  // What the status bar was last given, failures caught by the window procedures included.
  std::u16string statusText;
};

}  // namespace kav
