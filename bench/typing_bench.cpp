// One key typed into a line of about 2,000 items, the way the window sees it: the editor's whole
// key path (edit, layout, markup, undo record, caret) and then the repaint of what the editor
// asked the window to draw again, onto a raster canvas of the window's size. Typing stays
// smooth while this is well under the interval between keys.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "corpus.h"
#include "edit/editor.h"
#include "editor_harness.h"
#include "native/native_typesetting.h"
#include "native/raster_canvas.h"
#include "typeset/paint_lines.h"

namespace kav {
namespace {

constexpr size_t kLineItems = 2000;

const NativeTypesetting& Typesetting() {
  static const NativeTypesetting typesetting;
  return typesetting;
}

// Corpus formulas one after another until the line draws at least kLineItems boxes.
std::u16string LongLineMarkup() {
  const std::vector<std::u16string> corpus = CorpusMarkups();
  std::u16string markup;
  for (size_t k = 0;; ++k) {
    markup += corpus[k % corpus.size()];
    if (EquationLine(markup, &Typesetting().Layouter()).boxes.size() >= kLineItems) return markup;
  }
}

// Draws what the host was asked to draw again and empties that record.
void PaintDirty(QuietHost& host, const Editor& editor, RasterCanvas& canvas) {
  const ViewLines lines{editor.document().lines, editor.document().currentLine,
                        editor.SelectedLines(), editor.Placement()};
  // At 100 % on 96 DPI a layout unit is a pixel.
  PaintViewLines(canvas, lines, host.dirty);
  host.dirty = {};
}

// range(0): where the caret stands, as the number of Right presses after Home; -1 for End.
void BM_KeystrokeInLongLine(benchmark::State& state) {
  const NativeTypesetting& typesetting = Typesetting();
  QuietHost host;
  Editor editor(host, typesetting.Metrics(), typesetting.Layouter());
  std::vector<EquationLine> lines;
  lines.emplace_back(LongLineMarkup(), &typesetting.Layouter());
  const size_t boxes = lines.front().boxes.size();
  editor.ReplaceLines(std::move(lines));
  editor.OnKeyDown(state.range(0) < 0 ? key::End : key::Home, {});
  for (int64_t k = 0; k < state.range(0); ++k) editor.OnKeyDown(key::Right, {});
  RasterCanvas canvas(800, 600, kWindowColour, typesetting.Fonts());
  PaintDirty(host, editor, canvas);
  TimeEach(
      state,
      [&] {
        editor.OnChar(u'x');
        PaintDirty(host, editor, canvas);
      },
      // Backspace takes the key back as a user would, the caret and the view staying put.
      [&] {
        editor.OnKeyDown(key::Back, {});
        PaintDirty(host, editor, canvas);
      });
  state.counters["boxes"] = static_cast<double>(boxes);
}
BENCHMARK(BM_KeystrokeInLongLine)
    ->Arg(-1)
    ->Arg(0)
    ->Arg(1000)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kav
