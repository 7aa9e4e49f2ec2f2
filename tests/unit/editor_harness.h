// An editor wired to the headless host and the real layout over fixed-table metrics, with
// helpers to type, press keys and describe the caret.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/utf.h"
#include "edit/editor.h"
#include "fixed_metrics.h"
#include "native/headless_host.h"
#include "typeset/layout.h"

namespace kav {

class EditorTest : public ::testing::Test {
 protected:
  HeadlessHost host;
  FixedMetrics metrics;
  BoxLayouter layouter{metrics};
  Editor editor{host, metrics, layouter};

  void Type(std::u16string_view text) {
    for (char16_t c : text) editor.OnChar(c);
  }
  void Press(int32_t virtualKey, bool ctrl = false, bool shift = false) {
    editor.OnKeyDown(virtualKey, Modifiers{ctrl, shift});
  }
  void PressTimes(int32_t virtualKey, int count) {
    for (int i = 0; i < count; ++i) Press(virtualKey);
  }
  // Replaces the document with these lines; the caret goes to the end of the first.
  void Load(const std::vector<std::u16string>& markups) {
    std::vector<EquationLine> lines;
    for (const std::u16string& markup : markups) lines.emplace_back(markup, &layouter);
    editor.ReplaceLines(std::move(lines));
  }
  std::u16string Markup() { return editor.CurrentLine().markup; }
  std::u16string MarkupOf(int32_t index) { return editor.document().lines[index].markup; }
  std::vector<std::u16string> AllMarkup() {
    std::vector<std::u16string> all;
    for (const EquationLine& line : editor.document().lines) all.push_back(line.markup);
    return all;
  }
  int32_t Current() { return editor.document().currentLine; }
  int32_t HistorySize() { return static_cast<int32_t>(editor.history().Records().size()); }

  // The caret as "row@position", the row named by the child indices that lead to it from the
  // root ("root" for the root; "1.0" for slot 0 of the root's item 1).
  std::string Caret() {
    const EquationLine& line = editor.CurrentLine();
    std::string path;
    for (int32_t n = line.caret.node; n >= 0 && line.tree.Parent(n) >= 0; n = line.tree.Parent(n)) {
      const std::string index = std::to_string(line.tree.IndexInParent(n));
      path = path.empty() ? index : index + "." + path;
    }
    if (path.empty()) path = "root";
    return path + "@" + std::to_string(line.caret.position);
  }
};

}  // namespace kav
