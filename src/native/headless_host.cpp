#include "native/headless_host.h"

#include <algorithm>

#include "base/utf.h"

namespace kav {
namespace {

std::string Number(int32_t value) {
  return std::to_string(value);
}

const char* AnswerName(Answer answer) {
  switch (answer) {
    case Answer::Yes: return "Yes";
    case Answer::No: return "No";
    case Answer::Cancel: return "Cancel";
  }
  return "?";
}

std::optional<std::u16string> TakeFront(std::deque<std::optional<std::u16string>>& script) {
  if (script.empty()) return std::nullopt;
  std::optional<std::u16string> path = std::move(script.front());
  script.pop_front();
  return path;
}

}  // namespace

void HeadlessHost::Invalidate() {
  ++invalidations;
  Record("Invalidate");
}

void HeadlessHost::InvalidateArea(const ViewArea& pixels) {
  Record("InvalidateArea " + std::to_string(pixels.left) + " " + std::to_string(pixels.top) + " " +
         std::to_string(pixels.right) + " " + std::to_string(pixels.bottom));
}

ViewArea HeadlessHost::GetViewArea() const {
  const int32_t top = paletteVisible ? std::max(buttonsBottom, paletteBottom) : buttonsBottom;
  return ViewArea{0, top, clientSize.width - rightControls, clientSize.height - bottomControls};
}

void HeadlessHost::SetHorizontalScrollBar(const ScrollBarState& state) {
  horizontalScrollBar = state;
  Record("SetHorizontalScrollBar " + Number(state.maximum) + " " + Number(state.page) + " " +
         Number(state.position));
}

void HeadlessHost::SetScrollBar(const ScrollBarState& state) {
  scrollBar = state;
  Record("SetScrollBar " + Number(state.maximum) + " " + Number(state.page) + " " +
         Number(state.position));
}

void HeadlessHost::SetStatusText(std::u16string_view text) {
  statusText = text;
  Record("SetStatusText " + EncodeUtf8(text));
}

void HeadlessHost::FocusMainWindow() {
  ++focusRequests;
  Record("FocusMainWindow");
}

void HeadlessHost::CaptureMouse() {
  mouseCaptured = true;
  Record("CaptureMouse");
}

void HeadlessHost::ReleaseMouse() {
  mouseCaptured = false;
  Record("ReleaseMouse");
}

void HeadlessHost::PostClose() {
  closePosted = true;
  Record("PostClose");
}

void HeadlessHost::OpenManual() {
  ++manualOpened;
  Record("OpenManual");
}

void HeadlessHost::CreateCaret(int32_t width, int32_t height) {
  caret = CaretState{true, false, width, height, 0, 0};
  Record("CreateCaret " + Number(width) + " " + Number(height));
}

void HeadlessHost::ShowCaret() {
  if (caret.exists) caret.visible = true;
  Record("ShowCaret");
}

void HeadlessHost::MoveCaret(int32_t x, int32_t y) {
  caret.x = x;
  caret.y = y;
  Record("MoveCaret " + Number(x) + " " + Number(y));
}

void HeadlessHost::DestroyCaret() {
  caret = CaretState{};
  Record("DestroyCaret");
}

Answer HeadlessHost::Ask(std::string kind, std::u16string_view text, std::u16string_view caption) {
  Answer answer = Answer::Cancel;
  if (!answers.empty()) {
    answer = answers.front();
    answers.pop_front();
  }
  Record(kind + " " + EncodeUtf8(caption) + ": " + EncodeUtf8(text) + " -> " + AnswerName(answer));
  messages.push_back({std::move(kind), std::u16string(text), std::u16string(caption)});
  return answer;
}

Answer HeadlessHost::AskYesNoCancel(std::u16string_view text, std::u16string_view caption) {
  return Ask("YesNoCancel", text, caption);
}

Answer HeadlessHost::AskYesNo(std::u16string_view text, std::u16string_view caption) {
  const Answer answer = Ask("YesNo", text, caption);
  return answer == Answer::Yes ? Answer::Yes : Answer::No;
}

void HeadlessHost::ShowError(std::u16string_view text, std::u16string_view caption) {
  Record("Error " + EncodeUtf8(caption) + ": " + EncodeUtf8(text));
  messages.push_back({"Error", std::u16string(text), std::u16string(caption)});
}

std::optional<std::u16string> HeadlessHost::ChooseOpenPath() {
  std::optional<std::u16string> path = TakeFront(openPaths);
  Record("ChooseOpenPath " + (path ? EncodeUtf8(*path) : std::string("(cancelled)")));
  return path;
}

std::optional<std::u16string> HeadlessHost::ChooseSavePath() {
  std::optional<std::u16string> path = TakeFront(savePaths);
  Record("ChooseSavePath " + (path ? EncodeUtf8(*path) : std::string("(cancelled)")));
  return path;
}

bool HeadlessHost::FileExists(std::u16string_view path) const {
  return files.count(std::u16string(path)) != 0;
}

std::optional<FileStamp> HeadlessHost::StampOfFile(std::u16string_view path) const {
  const std::u16string name(path);
  const auto it = files.find(name);
  if (it == files.end()) return std::nullopt;
  const auto time = writeTimes.find(name);
  return FileStamp{it->second.size(), time == writeTimes.end() ? 0 : time->second,
                   std::find(readOnly.begin(), readOnly.end(), name) != readOnly.end()};
}

std::optional<FileContents> HeadlessHost::ReadFile(std::u16string_view path) {
  Record("ReadFile " + EncodeUtf8(path));
  const auto it = files.find(std::u16string(path));
  if (it == files.end()) return std::nullopt;
  return FileContents{it->second, *StampOfFile(path)};
}

std::optional<FileStamp> HeadlessHost::WriteFile(std::u16string_view path,
                                                 const std::vector<uint8_t>& bytes) {
  const std::optional<FileStamp> stamp = StampOfFile(path);
  const bool refused = std::find(unwritable.begin(), unwritable.end(), path) != unwritable.end() ||
                       (stamp && stamp->readOnly);
  Record("WriteFile " + EncodeUtf8(path) + (refused ? " (refused)" : ""));
  if (refused) return std::nullopt;
  files[std::u16string(path)] = bytes;
  writeTimes[std::u16string(path)] = ++clock;
  return StampOfFile(path);
}

void HeadlessHost::WriteByAnotherProgram(const std::u16string& path, std::string_view bytes) {
  files[path] = std::vector<uint8_t>(bytes.begin(), bytes.end());
  writeTimes[path] = ++clock;
}

bool HeadlessHost::PublishClipboard(const ClipboardPayloads& payloads) {
  Record(std::string("PublishClipboard") + (clipboardLocked ? " (locked)" : ""));
  if (clipboardLocked) return false;
  clipboard = payloads;
  clipboardUnicodeText.reset();
  clipboardNamedFormats.clear();
  clipboardPicture.reset();
  return true;
}

bool HeadlessHost::PublishPicture(const ClipboardPicture& picture) {
  Record("PublishPicture " + std::to_string(picture.width) + "x" + std::to_string(picture.height) +
         (clipboardLocked ? " (locked)" : ""));
  if (clipboardLocked) return false;
  clipboard.reset();
  clipboardUnicodeText.reset();
  clipboardNamedFormats.clear();
  clipboardPicture = picture;
  return true;
}

bool HeadlessHost::PublishUnicodeText(std::u16string_view text) {
  Record("PublishUnicodeText " + EncodeUtf8(text) + (clipboardLocked ? " (locked)" : ""));
  if (clipboardLocked) return false;
  clipboard.reset();
  clipboardNamedFormats.clear();
  clipboardPicture.reset();
  clipboardUnicodeText = std::u16string(text);
  return true;
}

bool HeadlessHost::PublishNamedFormats(const std::vector<NamedClipboardData>& formats,
                                       std::u16string_view text) {
  std::string names;
  for (const NamedClipboardData& data : formats) names += EncodeUtf8(data.format) + ", ";
  Record("PublishNamedFormats " + names + "text" + (clipboardLocked ? " (locked)" : ""));
  if (clipboardLocked) return false;
  clipboard.reset();
  clipboardNamedFormats = formats;
  clipboardPicture.reset();
  clipboardUnicodeText = std::u16string(text);
  return true;
}

std::optional<std::u16string> HeadlessHost::ReadPrivateClipboardText() {
  Record("ReadPrivateClipboardText");
  if (clipboardLocked || !clipboard) return std::nullopt;
  return clipboard->markup;
}

std::optional<std::vector<uint8_t>> HeadlessHost::ReadNamedClipboardFormat(std::u16string_view format) {
  Record("ReadNamedClipboardFormat " + EncodeUtf8(format));
  if (clipboardLocked) return std::nullopt;
  for (const NamedClipboardData& data : clipboardNamedFormats) {
    if (data.format == format) return data.bytes;
  }
  return std::nullopt;
}

std::optional<std::u16string> HeadlessHost::ReadUnicodeClipboardText() {
  Record("ReadUnicodeClipboardText");
  if (clipboardLocked) return std::nullopt;
  return clipboardUnicodeText;
}

void HeadlessHost::ShowInlineBox(int32_t x, int32_t y) {
  inlineBoxVisible = true;
  inlineBoxX = x;
  inlineBoxY = y;
  Record("ShowInlineBox " + Number(x) + " " + Number(y));
}

void HeadlessHost::HideInlineBox() {
  inlineBoxVisible = false;
  Record("HideInlineBox");
}

void HeadlessHost::SetPaletteVisible(bool visible) {
  paletteVisible = visible;
  Record(std::string("SetPaletteVisible ") + (visible ? "1" : "0"));
}

int32_t HeadlessHost::CountCalls(std::string_view prefix) const {
  return static_cast<int32_t>(std::count_if(calls.begin(), calls.end(), [&](const std::string& c) {
    return std::string_view(c).substr(0, prefix.size()) == prefix;
  }));
}

}  // namespace kav
