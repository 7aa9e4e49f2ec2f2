// Property test: Up and Down never trap the caret. From every caret place of random documents,
// repeated Down reaches the end of the last line and repeated Up the start of the first within a
// bounded number of presses, and every press on the way moves the caret or changes the line.
#include <random>
#include <string>
#include <vector>

#include "editor_harness.h"
#include "editor_monkey.h"
#include "random_tree.h"

namespace kav {
namespace {

struct Place {
  int32_t line = 0;
  int32_t row = 0;
  int32_t position = 0;
  bool operator==(const Place&) const = default;
};

Place Where(Editor& editor) {
  const EquationLine& line = editor.CurrentLine();
  return Place{editor.document().currentLine, line.caret.node, line.caret.position};
}

std::string Describe(const Place& place) {
  return "line " + std::to_string(place.line) + " row " + std::to_string(place.row) + " @" +
         std::to_string(place.position);
}

// Every place a caret can stand: each position 0..child count of every row of every line.
std::vector<Place> EveryCaretPlace(const Document& document) {
  std::vector<Place> places;
  for (int32_t i = 0; i < static_cast<int32_t>(document.lines.size()); ++i) {
    const EquationTree& tree = document.lines[i].tree;
    for (int32_t node = 0; node < static_cast<int32_t>(tree.payloads.size()); ++node) {
      if (tree.CodeAt(node) != code::Group) continue;
      for (int32_t p = 0; p <= tree.ChildCount(node); ++p) places.push_back(Place{i, node, p});
    }
  }
  return places;
}

// Presses one arrow from `start` until the caret stands at `goal`. Empty when it got there in
// time, else what went wrong.
std::string PressUntil(Editor& editor, const Place& start, int32_t arrow, const Place& goal,
                       int32_t bound) {
  editor.document().currentLine = start.line;
  editor.CurrentLine().caret = Caret{start.row, start.position};
  Place here = start;
  for (int32_t press = 0; press < bound; ++press) {
    if (here == goal) return {};
    editor.OnKeyDown(arrow, Modifiers{});
    const Place next = Where(editor);
    if (next == here) return "stuck at " + Describe(here);
    here = next;
  }
  if (here == goal) return {};
  return "not there after " + std::to_string(bound) + " presses, at " + Describe(here);
}

// Checks both arrows from every caret place; returns the first failure.
std::string CheckProgress(Editor& editor) {
  editor.ClearSelection();
  const Document& document = editor.document();
  const int32_t last = static_cast<int32_t>(document.lines.size()) - 1;
  const EquationTree& lastTree = document.lines[last].tree;
  const Place end{last, lastTree.root, lastTree.ChildCount(lastTree.root)};
  const Place start{0, document.lines[0].tree.root, 0};
  // Inside a line, each press goes one limit deeper or from a numerator to its denominator (Down),
  // or out of a lower limit or from a denominator to its numerator (Up); none of these repeats,
  // so a line takes fewer presses than it has nodes.
  int32_t bound = static_cast<int32_t>(document.lines.size());
  for (const EquationLine& line : document.lines) {
    bound += static_cast<int32_t>(line.tree.payloads.size());
  }
  for (const Place& place : EveryCaretPlace(document)) {
    std::string broken = PressUntil(editor, place, key::Down, end, bound);
    if (!broken.empty()) return "Down from " + Describe(place) + ": " + broken;
    broken = PressUntil(editor, place, key::Up, start, bound);
    if (!broken.empty()) return "Up from " + Describe(place) + ": " + broken;
  }
  return {};
}

// Caret places in a filled lower limit, where Down used to be trapped.
int32_t PlacesInFilledLowerLimits(const Document& document) {
  int32_t count = 0;
  for (const Place& place : EveryCaretPlace(document)) {
    const EquationTree& tree = document.lines[place.line].tree;
    const int32_t structure = tree.Parent(place.row);
    const bool lower = structure >= 0 && IsBigOperator(tree.CodeAt(structure)) &&
                       tree.Child(structure, 0) == place.row;
    if (lower && tree.CodeAt(tree.Child(place.row, 0)) != code::Placeholder) ++count;
  }
  return count;
}

using VerticalProgressTest = EditorTest;

TEST_F(VerticalProgressTest, FromEveryPlaceOfRandomDocuments) {
  ExportTextBuffer buffer;
  int32_t trapPlaces = 0;
  for (uint32_t seed = 1; seed <= 150; ++seed) {
    std::vector<std::u16string> markups;
    for (uint32_t i = 0; i <= seed % 3; ++i) {
      TreeGenerator generator(seed * 7 + i);
      EquationLine line;
      generator.Fill(line.tree);
      line.Serialize(buffer);
      markups.push_back(line.markup);
    }
    Load(markups);
    trapPlaces += PlacesInFilledLowerLimits(editor.document());
    ASSERT_EQ(CheckProgress(editor), "") << "seed " << seed;
  }
  EXPECT_GT(trapPlaces, 100);
}

// Documents shaped by editing rather than by the grammar: limits switched off, scripts with
// their placeholder base, lines made by Enter and duplicate.
TEST(VerticalProgress, FromEveryPlaceOfMonkeyDocuments) {
  for (uint32_t seed = 1; seed <= 6; ++seed) {
    std::mt19937 random(seed);
    std::vector<uint8_t> bytes(6000);
    for (uint8_t& byte : bytes) byte = static_cast<uint8_t>(random() >> 24);
    EditorMonkey monkey;
    ChoiceBytes choices(bytes);
    for (int32_t event = 0; event < 400 && !choices.Done(); ++event) monkey.Step(choices);
    ASSERT_EQ(CheckProgress(monkey.editor()), "") << "seed " << seed;
  }
}

}  // namespace
}  // namespace kav
