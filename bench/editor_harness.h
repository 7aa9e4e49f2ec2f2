// What the editor benchmarks share: a window that does nothing but remember what it was asked to
// draw and hand out one file, so that only the editor's own work is measured, and a timer of one
// operation at a time.
#pragma once
#include <algorithm>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "platform/host.h"

namespace kav {

class QuietHost final : public Host {
 public:
  void Invalidate() override { dirty = {0, 0, 800, 600}; }
  void InvalidateArea(const ViewArea& pixels) override {
    if (dirty.Width() <= 0 || dirty.Height() <= 0) {
      dirty = pixels;
      return;
    }
    dirty = {std::min(dirty.left, pixels.left), std::min(dirty.top, pixels.top),
             std::max(dirty.right, pixels.right), std::max(dirty.bottom, pixels.bottom)};
  }
  ClientSize GetClientSize() const override { return {800, 600}; }
  ViewArea GetViewArea() const override { return {0, 0, 800, 600}; }
  void SetScrollBar(const ScrollBarState&) override {}
  void SetHorizontalScrollBar(const ScrollBarState&) override {}
  void SetStatusText(std::u16string_view) override {}
  std::u16string StatusText() const override { return {}; }
  void FocusMainWindow() override {}
  void CaptureMouse() override {}
  void ReleaseMouse() override {}
  void PostClose() override {}
  void OpenManual() override {}
  void CreateCaret(int32_t, int32_t) override {}
  void ShowCaret() override {}
  void MoveCaret(int32_t, int32_t) override {}
  void DestroyCaret() override {}
  Answer AskYesNoCancel(std::u16string_view, std::u16string_view) override {
    return Answer::Cancel;
  }
  Answer AskYesNo(std::u16string_view, std::u16string_view) override { return Answer::No; }
  void ShowError(std::u16string_view, std::u16string_view) override {}
  std::optional<std::u16string> ChooseOpenPath() override { return std::nullopt; }
  std::optional<std::u16string> ChooseSavePath() override { return std::nullopt; }
  bool FileExists(std::u16string_view) const override { return false; }
  std::optional<FileStamp> StampOfFile(std::u16string_view) const override { return std::nullopt; }
  std::optional<FileContents> ReadFile(std::u16string_view) override { return file; }
  std::optional<FileStamp> WriteFile(std::u16string_view, const std::vector<uint8_t>&) override {
    return std::nullopt;
  }
  bool PublishClipboard(const ClipboardPayloads&) override { return false; }
  bool PublishUnicodeText(std::u16string_view) override { return false; }
  bool PublishPicture(const ClipboardPicture&) override { return false; }
  bool PublishNamedFormats(const std::vector<NamedClipboardData>&, std::u16string_view) override {
    return false;
  }
  std::optional<std::vector<uint8_t>> ReadNamedClipboardFormat(std::u16string_view) override {
    return std::nullopt;
  }
  std::optional<std::u16string> ReadPrivateClipboardText() override { return std::nullopt; }
  std::optional<std::u16string> ReadUnicodeClipboardText() override { return std::nullopt; }
  void ShowInlineBox(int32_t, int32_t) override {}
  void HideInlineBox() override {}
  bool IsPaletteVisible() const override { return true; }
  void SetPaletteVisible(bool) override {}

  // What was asked to be drawn again since the caller last emptied it, in client pixels.
  ViewArea dirty;
  // What ReadFile hands out, for any path.
  std::optional<FileContents> file;
};

// The CPU time this thread has used, in seconds: other programs on a shared machine do not
// count, as in Google Benchmark's CPU column.
inline double ThreadCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Times only `operation`, in the thread's CPU time; `reset` puts the state back for the next
// round untimed. The benchmark must use manual time.
template <typename Operation, typename Reset>
void TimeEach(benchmark::State& state, Operation&& operation, Reset&& reset) {
  for (auto _ : state) {
    const double start = ThreadCpuSeconds();
    operation();
    state.SetIterationTime(ThreadCpuSeconds() - start);
    reset();
  }
}

}  // namespace kav
