// A host without a window, for tests and tools: it records every call the editor makes, keeps the
// state a window would show (caret, scroll bar, status text, clipboard, files) and answers
// questions and dialogs from a script the test fills in beforehand.
#pragma once
#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/host.h"

namespace kav {

class HeadlessHost : public Host {
 public:
  struct CaretState {
    bool exists = false;
    bool visible = false;
    int32_t width = 0;
    int32_t height = 0;
    int32_t x = 0;
    int32_t y = 0;
  };

  struct ShownMessage {
    std::string kind;  // "YesNoCancel", "YesNo" or "Error"
    std::u16string text;
    std::u16string caption;
  };

  // Every call in order, one readable line each ("CreateCaret 2 40", "SetStatusText Ready").
  std::vector<std::string> calls;

  // The window as it stands.
  ClientSize clientSize{800, 600};
  // The controls over the client area: the bottom edge of those along the top (the palette's
  // counts only while it is shown) and the room taken at the right and bottom edges. All zero:
  // the view is the whole client area.
  int32_t buttonsBottom = 0;
  int32_t paletteBottom = 0;
  int32_t rightControls = 0;
  int32_t bottomControls = 0;
  ScrollBarState scrollBar;
  ScrollBarState horizontalScrollBar;
  std::u16string statusText;
  CaretState caret;
  int32_t invalidations = 0;
  bool mouseCaptured = false;
  bool closePosted = false;
  int32_t manualOpened = 0;
  int32_t focusRequests = 0;
  bool inlineBoxVisible = false;
  int32_t inlineBoxX = 0;
  int32_t inlineBoxY = 0;
  bool paletteVisible = true;

  // Questions: answers are taken from the front; an unscripted question is answered Cancel.
  std::deque<Answer> answers;
  std::vector<ShownMessage> messages;
  // Dialogs: paths are taken from the front; an unscripted dialog is cancelled.
  std::deque<std::optional<std::u16string>> openPaths;
  std::deque<std::optional<std::u16string>> savePaths;

  // An in-memory file system; paths listed in `unwritable` refuse writes, and so do those in
  // `readOnly`, which also say so in their stamps. A file's write time is the clock's count when
  // it was last written (0 for a file a test put in `files`).
  std::map<std::u16string, std::vector<uint8_t>> files;
  std::vector<std::u16string> unwritable;
  std::vector<std::u16string> readOnly;
  std::map<std::u16string, uint64_t> writeTimes;
  uint64_t clock = 0;
  // Another program writes the file: new bytes and a later write time.
  void WriteByAnotherProgram(const std::u16string& path, std::string_view bytes);

  // The clipboard: what the last Copy published, or Unicode text; `clipboardLocked` makes it
  // refuse to open, as when another program holds it.
  std::optional<ClipboardPayloads> clipboard;
  std::optional<std::u16string> clipboardUnicodeText;
  std::optional<ClipboardPicture> clipboardPicture;  // what Copy picture published
  std::vector<NamedClipboardData> clipboardNamedFormats;  // beside the Unicode text
  bool clipboardLocked = false;

  void Invalidate() override;
  void InvalidateArea(const ViewArea& pixels) override;
  ClientSize GetClientSize() const override { return clientSize; }
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

  std::optional<std::u16string> ChooseOpenPath() override;
  std::optional<std::u16string> ChooseSavePath() override;

  bool FileExists(std::u16string_view path) const override;
  std::optional<FileStamp> StampOfFile(std::u16string_view path) const override;
  std::optional<FileContents> ReadFile(std::u16string_view path) override;
  std::optional<FileStamp> WriteFile(std::u16string_view path,
                                     const std::vector<uint8_t>& bytes) override;

  bool PublishClipboard(const ClipboardPayloads& payloads) override;
  bool PublishUnicodeText(std::u16string_view text) override;
  bool PublishPicture(const ClipboardPicture& picture) override;
  bool PublishNamedFormats(const std::vector<NamedClipboardData>& formats,
                           std::u16string_view text) override;
  std::optional<std::u16string> ReadPrivateClipboardText() override;
  std::optional<std::vector<uint8_t>> ReadNamedClipboardFormat(std::u16string_view format) override;
  std::optional<std::u16string> ReadUnicodeClipboardText() override;

  void ShowInlineBox(int32_t x, int32_t y) override;
  void HideInlineBox() override;

  bool IsPaletteVisible() const override { return paletteVisible; }
  void SetPaletteVisible(bool visible) override;

  // How many recorded calls start with `prefix`.
  int32_t CountCalls(std::string_view prefix) const;

 private:
  Answer Ask(std::string kind, std::u16string_view text, std::u16string_view caption);
  void Record(std::string line) { calls.push_back(std::move(line)); }
};

}  // namespace kav
