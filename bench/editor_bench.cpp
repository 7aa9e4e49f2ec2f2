// Editing costs against document size: one key or command on the middle line of a document of
// 1, 1,000 and 10,000 corpus formulas, with FreeType metrics. Only the operation itself is
// timed; putting the document back for the next round (an undo or a redo) is not.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "corpus.h"
#include "editor_harness.h"
#include "edit/editor.h"
#include "native/native_typesetting.h"

namespace kav {
namespace {

// The formula every size types into, so that only the document around it differs.
constexpr int kEditedFormula = 7;

// An editor over `count` corpus formulas, the caret at the end of the middle line.
struct Session {
  QuietHost host;
  const NativeTypesetting& typesetting;
  Editor editor;

  Session(const NativeTypesetting& fonts, int64_t count)
      : typesetting(fonts), editor(host, fonts.Metrics(), fonts.Layouter()) {
    const std::vector<std::u16string> corpus = CorpusMarkups();
    const auto middle = static_cast<int32_t>(count / 2);
    std::vector<EquationLine> lines;
    lines.reserve(count);
    for (int64_t i = 0; i < count; ++i) {
      const size_t formula = i == middle ? kEditedFormula : static_cast<size_t>(i) % corpus.size();
      lines.emplace_back(corpus[formula], &fonts.Layouter());
    }
    editor.ReplaceLines(std::move(lines));
    for (int32_t i = 0; i < middle; ++i) editor.OnKeyDown(key::Down, {});
    editor.OnKeyDown(key::End, {});
  }
};

const NativeTypesetting& Typesetting() {
  static const NativeTypesetting typesetting;
  return typesetting;
}

void BM_TypeCharacter(benchmark::State& state) {
  Session session(Typesetting(), state.range(0));
  Editor& editor = session.editor;
  TimeEach(
      state, [&] { editor.OnChar(u'x'); }, [&] { editor.Undo(); });
}

void BM_Enter(benchmark::State& state) {
  Session session(Typesetting(), state.range(0));
  Editor& editor = session.editor;
  TimeEach(
      state, [&] { editor.OnKeyDown(key::Return, {}); }, [&] { editor.Undo(); });
}

void BM_DuplicateLine(benchmark::State& state) {
  Session session(Typesetting(), state.range(0));
  Editor& editor = session.editor;
  TimeEach(
      state,
      [&] {
        editor.OnKeyDown('D', {true, false});
      },
      [&] { editor.Undo(); });
}

void BM_DeleteEmptyLine(benchmark::State& state) {
  Session session(Typesetting(), state.range(0) - 1);
  Editor& editor = session.editor;
  editor.OnKeyDown('N', {true, false});
  TimeEach(
      state, [&] { editor.OnKeyDown(key::Delete, {}); }, [&] { editor.Undo(); });
}

// Ctrl+Z right after `edit`; a redo puts the edit back for the next round.
template <typename Edit>
void TimeUndo(benchmark::State& state, Edit&& edit) {
  Session session(Typesetting(), state.range(0));
  Editor& editor = session.editor;
  edit(editor);
  TimeEach(
      state, [&] { editor.OnKeyDown('Z', {true, false}); }, [&] { editor.Redo(); });
}

// Ctrl+Y after `edit` was undone; an undo takes it back for the next round.
template <typename Edit>
void TimeRedo(benchmark::State& state, Edit&& edit) {
  Session session(Typesetting(), state.range(0));
  Editor& editor = session.editor;
  edit(editor);
  editor.Undo();
  TimeEach(
      state, [&] { editor.OnKeyDown('Y', {true, false}); }, [&] { editor.Undo(); });
}

void TypeX(Editor& editor) { editor.OnChar(u'x'); }
void PressEnter(Editor& editor) { editor.OnKeyDown(key::Return, {}); }

void BM_UndoTyping(benchmark::State& state) { TimeUndo(state, TypeX); }
void BM_RedoTyping(benchmark::State& state) { TimeRedo(state, TypeX); }
void BM_UndoEnter(benchmark::State& state) { TimeUndo(state, PressEnter); }
void BM_RedoEnter(benchmark::State& state) { TimeRedo(state, PressEnter); }

void DocumentSizes(benchmark::internal::Benchmark* benchmark) {
  benchmark->Arg(1)->Arg(1000)->Arg(10000)->UseManualTime()->Unit(benchmark::kMicrosecond);
  benchmark->Repetitions(5)->ReportAggregatesOnly(true);
}

BENCHMARK(BM_TypeCharacter)->Apply(DocumentSizes);
BENCHMARK(BM_Enter)->Apply(DocumentSizes);
BENCHMARK(BM_DuplicateLine)->Apply(DocumentSizes);
BENCHMARK(BM_DeleteEmptyLine)->Apply(DocumentSizes);
BENCHMARK(BM_UndoTyping)->Apply(DocumentSizes);
BENCHMARK(BM_RedoTyping)->Apply(DocumentSizes);
BENCHMARK(BM_UndoEnter)->Apply(DocumentSizes);
BENCHMARK(BM_RedoEnter)->Apply(DocumentSizes);

}  // namespace
}  // namespace kav
