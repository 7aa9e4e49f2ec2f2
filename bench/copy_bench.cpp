// What one Copy costs for each corpus formula: every payload Copy publishes (markup text, Office
// package, HWP document) and the picture drawn natively as the clipboard's bitmap would be, and
// then each of those alone, so that a slow one stands out. The line is laid out once, as the
// editor has it when Copy is chosen.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <string>

#include "corpus.h"
#include "export/clipboard_payloads.h"
#include "export/gvml_package.h"
#include "export/hwp_script_writer.h"
#include "export/omml_writer.h"
#include "hwp/hwp_document.h"
#include "native/native_typesetting.h"
#include "native/raster_canvas.h"
#include "typeset/line_geometry.h"

namespace kav {
namespace {

constexpr int kCorpusSize = 41;
const DosDateTime kStamp = MakeDosDateTime(2024, 5, 17, 10, 30, 0);

// One corpus formula laid out with FreeType metrics, and what drawing its picture needs.
class CopyFixture {
 public:
  explicit CopyFixture(int32_t index)
      : markup_(CorpusMarkups().at(index)), line_(markup_, &typesetting_.Layouter()) {
    // The whole line selected, so that the markup format holds all of it, as after Select All.
    line_.tree.Data(line_.tree.root).selection = 3;
  }

  const EquationLine& Line() const { return line_; }
  ExportTextBuffer& Buffer() { return buffer_; }
  PayloadBuilders& Builders() { return builders_; }

  RgbaImage Draw(const ClipboardPicture& picture) const {
    RasterCanvas canvas(picture.width, picture.height, kWindowColour, typesetting_.Fonts());
    picture.draw(canvas);
    return canvas.Image();
  }

  void Label(benchmark::State& state) const {
    const size_t shown = std::min<size_t>(markup_.size(), 40);
    state.SetLabel(std::string(markup_.begin(), markup_.begin() + static_cast<ptrdiff_t>(shown)));
  }

 private:
  std::u16string markup_;
  NativeTypesetting typesetting_;
  EquationLine line_;
  ExportTextBuffer buffer_;
  PayloadBuilders builders_;
};

void BM_CopyAll(benchmark::State& state) {
  CopyFixture fixture(static_cast<int32_t>(state.range(0)));
  for (auto _ : state) {
    const ClipboardPayloads payloads =
        BuildClipboardPayloads(fixture.Line(), fixture.Buffer(), fixture.Builders(), kStamp);
    const RgbaImage image = fixture.Draw(payloads.picture);
    benchmark::DoNotOptimize(image.pixels.data());
  }
  fixture.Label(state);
}
BENCHMARK(BM_CopyAll)->DenseRange(0, kCorpusSize - 1)->Unit(benchmark::kMicrosecond);

void BM_CopyMarkup(benchmark::State& state) {
  CopyFixture fixture(static_cast<int32_t>(state.range(0)));
  const EquationLine& line = fixture.Line();
  for (auto _ : state) {
    fixture.Buffer().Clear();
    line.SerializeSelection(line.tree.root, fixture.Buffer());
    const std::u16string markup = fixture.Buffer().Text();
    benchmark::DoNotOptimize(markup.data());
  }
}
BENCHMARK(BM_CopyMarkup)->DenseRange(0, kCorpusSize - 1)->Unit(benchmark::kMicrosecond);

void BM_CopyOfficePackage(benchmark::State& state) {
  CopyFixture fixture(static_cast<int32_t>(state.range(0)));
  const EquationLine& line = fixture.Line();
  for (auto _ : state) {
    const std::string math = WriteOmml(line.tree, line.tree.root, {});
    const std::vector<uint8_t> package =
        fixture.Builders().officePackage.Build(math, RootWidth(line), RootHeight(line), kStamp);
    benchmark::DoNotOptimize(package.data());
  }
}
BENCHMARK(BM_CopyOfficePackage)->DenseRange(0, kCorpusSize - 1)->Unit(benchmark::kMicrosecond);

void BM_CopyHwpDocument(benchmark::State& state) {
  CopyFixture fixture(static_cast<int32_t>(state.range(0)));
  const EquationLine& line = fixture.Line();
  for (auto _ : state) {
    fixture.Buffer().Clear();
    WriteHwpScriptNode(line.tree, line.tree.root, fixture.Buffer());
    const std::vector<uint8_t> document =
        fixture.Builders().hwpDocument.Build(fixture.Buffer().View());
    benchmark::DoNotOptimize(document.data());
  }
}
BENCHMARK(BM_CopyHwpDocument)->DenseRange(0, kCorpusSize - 1)->Unit(benchmark::kMicrosecond);

void BM_CopyPicture(benchmark::State& state) {
  CopyFixture fixture(static_cast<int32_t>(state.range(0)));
  for (auto _ : state) {
    const RgbaImage image = fixture.Draw(LinePicture(fixture.Line()));
    benchmark::DoNotOptimize(image.pixels.data());
  }
}
BENCHMARK(BM_CopyPicture)->DenseRange(0, kCorpusSize - 1)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kav
