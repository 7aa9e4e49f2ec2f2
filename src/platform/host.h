// What the editor asks of the window it lives in: repainting, the screen caret, the scroll bar,
// the status bar, questions to the user, file dialogs and files, the clipboard, the inline box and
// the palette. The Win32 main window implements it; tests and tools use a scripted headless host.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/canvas.h"
#include "platform/view_area.h"

namespace kav {

// Questions and failures shown to the user; the core passes these exact texts.
inline constexpr std::u16string_view kNotificationCaption = u"Notification";
inline constexpr std::u16string_view kErrorCaption = u"Error";
inline constexpr std::u16string_view kSaveChangesText = u"Current file has been modified. Save it?";
inline constexpr std::u16string_view kOverwriteText =
    u"The file already exists. Do you want to overwrite it?";
inline constexpr std::u16string_view kSaveFailedText = u"Failed to save file.";
// What the status bar reads when no action has anything to say: at start and after an edit.
inline constexpr std::u16string_view kIdleStatusText = u"Ready";

enum class Answer : uint8_t { Yes, No, Cancel };

// A file as it stands on disk: enough to tell whether another program wrote it since this program
// read or wrote it, and whether it may be replaced.
struct FileStamp {
  uint64_t size = 0;
  uint64_t writeTime = 0;  // the platform's clock, only ever compared
  bool readOnly = false;
  bool SameContents(const FileStamp& other) const {
    return size == other.size && writeTime == other.writeTime;
  }
};

struct FileContents {
  std::vector<uint8_t> bytes;
  FileStamp stamp;  // of the file the bytes were read from
};

struct ClientSize {
  int32_t width = 0;
  int32_t height = 0;
  friend bool operator==(const ClientSize&, const ClientSize&) = default;
};

// A scroll bar: range 0..maximum, page size and thumb position. A bar that cannot scroll is
// shown disabled, not hidden.
struct ScrollBarState {
  int32_t maximum = 0;
  int32_t page = 0;
  int32_t position = 0;
  friend bool operator==(const ScrollBarState&, const ScrollBarState&) = default;
};

// The picture offered with a copy: `draw` paints the line onto a canvas whose origin is the
// line's top-left corner; width and height are the root box's. Glyphs ink beyond the box, so
// the platform draws with room around it and cuts the picture to the box and the ink plus a
// margin (see typeset/picture_frame.h).
struct ClipboardPicture {
  int32_t width = 0;
  int32_t height = 0;
  std::function<void(Canvas&)> draw;
};

// Everything one Copy puts on the clipboard, in the order the formats are set.
struct ClipboardPayloads {
  std::u16string markup;               // private format "Kav v0.1.1"
  ClipboardPicture picture;            // the bitmap picture of the whole line
  std::vector<uint8_t> officePackage;  // "Art::GVML ClipFormat"
  std::vector<uint8_t> hwpDocument;    // "Hwp Native"
};

// Bytes offered under a registered clipboard format, named as other programs look it up.
struct NamedClipboardData {
  std::u16string format;
  std::vector<uint8_t> bytes;
};

class Host {
 public:
  virtual ~Host() = default;

  // Window.
  // Repaint the whole client area, without erasing the background.
  virtual void Invalidate() = 0;
  // Repaint only this part of the client area, in client pixels, without erasing the background.
  virtual void InvalidateArea(const ViewArea& pixels) = 0;
  virtual ClientSize GetClientSize() const = 0;
  // Where lines may be shown: the client area less the controls that lie over it. It changes
  // when the palette is shown or hidden and when the window is resized.
  virtual ViewArea GetViewArea() const = 0;
  // The vertical and the horizontal scroll bar.
  virtual void SetScrollBar(const ScrollBarState& state) = 0;
  virtual void SetHorizontalScrollBar(const ScrollBarState& state) = 0;
  virtual void SetStatusText(std::u16string_view text) = 0;
  // The text the status bar shows now (empty before anything was shown).
  virtual std::u16string StatusText() const = 0;
  virtual void FocusMainWindow() = 0;
  virtual void CaptureMouse() = 0;
  virtual void ReleaseMouse() = 0;
  // Ask the window to close, as the title bar's close button does (the save prompt follows).
  virtual void PostClose() = 0;
  virtual void OpenManual() = 0;

  // Screen caret of the main window. Creating one replaces the previous caret.
  virtual void CreateCaret(int32_t width, int32_t height) = 0;
  virtual void ShowCaret() = 0;
  virtual void MoveCaret(int32_t x, int32_t y) = 0;
  virtual void DestroyCaret() = 0;

  // Message boxes owned by the main window.
  virtual Answer AskYesNoCancel(std::u16string_view text, std::u16string_view caption) = 0;
  virtual Answer AskYesNo(std::u16string_view text, std::u16string_view caption) = 0;
  virtual void ShowError(std::u16string_view text, std::u16string_view caption) = 0;

  // File dialogs: the chosen path, or nothing when the user cancelled.
  virtual std::optional<std::u16string> ChooseOpenPath() = 0;
  virtual std::optional<std::u16string> ChooseSavePath() = 0;

  // Files. A link is followed to the file it names. Reading gives nothing when the file cannot
  // be read; the stamp is nothing when there is no such file. Writing replaces the file in one
  // step, keeps its attributes and permissions, leaves the old file untouched when it fails
  // (a read-only file is never replaced) and gives the written file's stamp.
  virtual bool FileExists(std::u16string_view path) const = 0;
  virtual std::optional<FileStamp> StampOfFile(std::u16string_view path) const = 0;
  virtual std::optional<FileContents> ReadFile(std::u16string_view path) = 0;
  virtual std::optional<FileStamp> WriteFile(std::u16string_view path,
                                             const std::vector<uint8_t>& bytes) = 0;

  // Clipboard. Publishing replaces the clipboard's contents; false when it could not be opened.
  virtual bool PublishClipboard(const ClipboardPayloads& payloads) = 0;
  virtual bool PublishUnicodeText(std::u16string_view text) = 0;
  // Copy picture: the line's picture drawn from glyph outlines, as a vector picture (an enhanced
  // metafile), a PNG at four times the size on a transparent background ("PNG") and a bitmap at
  // the layout's size (CF_DIB), framed like the clipboard picture.
  virtual bool PublishPicture(const ClipboardPicture& picture) = 0;
  // Replaces the clipboard's contents with each named format, then the Unicode text.
  virtual bool PublishNamedFormats(const std::vector<NamedClipboardData>& formats,
                                   std::u16string_view text) = 0;
  // The bytes of a registered format, or nothing when the clipboard holds none.
  virtual std::optional<std::vector<uint8_t>> ReadNamedClipboardFormat(std::u16string_view format) = 0;
  // The text of the private format, or nothing when the clipboard holds none.
  virtual std::optional<std::u16string> ReadPrivateClipboardText() = 0;
  // The clipboard's Unicode text (what other programs copy), or nothing when it holds none.
  virtual std::optional<std::u16string> ReadUnicodeClipboardText() = 0;

  // The inline symbol-name box: cleared, shown at a client point and focused; or hidden.
  virtual void ShowInlineBox(int32_t x, int32_t y) = 0;
  virtual void HideInlineBox() = 0;

  // The symbol palette window.
  virtual bool IsPaletteVisible() const = 0;
  virtual void SetPaletteVisible(bool visible) = 0;
};

}  // namespace kav
