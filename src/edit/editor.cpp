// Setting up the editor's document and keeping the state derived from its lines (band heights,
// style shares) in step with them.
#include "edit/editor.h"

#include "edit/caret_moves.h"
#include "edit/selection.h"
#include "edit/tree_queries.h"
#include "typeset/line_geometry.h"

namespace kav {

Editor::Editor(Host& host, const GlyphMetrics& metrics, const LineLayouter& layouter)
    : host_(host), metrics_(metrics), layouter_(layouter) {
  document_.lines.push_back(NewLine(u""));
  document_.currentLine = 0;
  SyncDerivedState();
}

// How every line the editor makes starts: read from `text`, the caret at its end, nothing marked.
EquationLine Editor::NewLine(const std::u16string& text) const {
  EquationLine line(text, &layouter_);
  kav::MoveEnd(line.tree, line.caret);
  ClearMarks(line);
  return line;
}

void Editor::ReplaceLines(std::vector<EquationLine> lines) {
  if (lines.empty()) lines.push_back(NewLine(u""));
  // Lines read without this editor's layouter have no boxes yet (or another layout's).
  for (EquationLine& line : lines) {
    if (line.layouter == &layouter_) continue;
    line.layouter = &layouter_;
    line.Layout();
  }
  document_.lines = std::move(lines);
  document_.currentLine = 0;
  ResetLineCaret(CurrentLine(), true);
  history_.Clear();
  document_.modified = false;
  // The counts that choose styles stay those of the previous document until the next commit.
  statistics_.Recount(document_.lines);
  bands_.Assign({});
  SyncDerivedState();
  ClearStatus();
  ClearSelection();
  ScrollToCurrentLine();
}

void Editor::ResetLineCaret(EquationLine& line, bool atEnd) {
  if (atEnd) {
    kav::MoveEnd(line.tree, line.caret);
  } else {
    kav::MoveHome(line.tree, line.caret);
  }
}

// A caret that does not name a row of the current line's tree (a line set up from outside, or
// a tree rebuilt under it) goes to the end of the line.
void Editor::EnsureCaret() {
  EquationLine& line = CurrentLine();
  if (line.tree.root < 0) line.InsertPlaceholders();
  const Caret& caret = line.caret;
  const bool valid = caret.node >= 0 && caret.node < static_cast<int32_t>(line.tree.nodes.size()) &&
                     line.tree.CodeAt(caret.node) == code::Group &&
                     IsWithin(line.tree, caret.node, line.tree.root);
  if (!valid) kav::MoveEnd(line.tree, line.caret);
  ClampCaret(line.tree, line.caret);
}

// Rebuilds the band heights and style shares when the lines were replaced behind the editor's
// back; otherwise refreshes only the current line's band, the one line edits touch.
void Editor::SyncDerivedState() {
  const int32_t count = static_cast<int32_t>(document_.lines.size());
  if (bands_.Size() != count) {
    std::vector<int32_t> heights;
    heights.reserve(count);
    for (const EquationLine& line : document_.lines) heights.push_back(BandHeightOf(line));
    bands_.Assign(std::move(heights));
  } else if (count > 0) {
    bands_.Set(document_.currentLine, BandHeightOf(CurrentLine()));
  }
  if (statistics_.LineCount() != count) statistics_.Recount(document_.lines);
}

}  // namespace kav
