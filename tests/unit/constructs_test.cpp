// The construct table drives the markup and every writer: a structure code that no row knows
// stops each writer with its own message instead of coming out as a letter or as nothing.
#include <gtest/gtest.h>

#include "base/failure.h"
#include "base/utf.h"
#include "export/hwp_script_writer.h"
#include "export/latex_writer.h"
#include "export/mathml_writer.h"
#include "export/omml_writer.h"
#include "export/tex_writer.h"
#include "fixed_metrics.h"
#include "model/constructs.h"
#include "model/line.h"
#include "typeset/layout.h"

namespace kav {
namespace {

struct Writer {
  const char* name;
  void (*write)(const EquationTree& tree);
  const char16_t* failure;
};

void Markup(const EquationTree& tree) {
  ExportTextBuffer buffer;
  WriteMarkupNode(tree, tree.root, buffer);
}
void Tex(const EquationTree& tree) {
  ExportTextBuffer buffer;
  WriteTexNode(tree, tree.root, buffer);
}
void HwpScript(const EquationTree& tree) {
  ExportTextBuffer buffer;
  WriteHwpScriptNode(tree, tree.root, buffer);
}
void Latex(const EquationTree& tree) {
  ExportTextBuffer buffer;
  TreeLatex(tree, buffer);
}
void Mathml(const EquationTree& tree) { LineMathml(tree); }
void Omml(const EquationTree& tree) { WriteOmml(tree, tree.root, {}); }

constexpr Writer kWriters[] = {
    {"markup", Markup, u"Markup: Unknown token"}, {"TeX", Tex, u"TeX: Unknown token"},
    {"HWP script", HwpScript, u"Hwp:: Unknown ch"}, {"LaTeX", Latex, u"LaTeX: Unknown token"},
    {"MathML", Mathml, u"MathML: Unknown token"},  {"Office Math", Omml, u"OOXML: Unknown token"},
};

// The failure text `write` throws, or "no failure".
std::u16string FailureOf(const Writer& writer, const EquationTree& tree) {
  try {
    writer.write(tree);
  } catch (const Failure& failure) {
    return failure.text;
  }
  return u"no failure";
}

TEST(Constructs, AnUnknownStructureCodeStopsEveryWriterWithItsMessage) {
  // The letter x of each line is given the code; it stands in a row, a slot, a script, a limit.
  const char16_t* lines[] = {u"<a><x>", u"\\frac{<x>}{<b>}", u"<a>\\super{<x>}",
                             u"\\sum{<x>}{<n>}<k>", u"\\sqrt{<x>}"};
  const SymbolCode codes[] = {2000000099, code::ThickLine, code::EndOfTokens};
  for (const char16_t* markup : lines) {
    for (const SymbolCode unknown : codes) {
      EquationLine line(markup);
      for (NodeData& data : line.tree.payloads) {
        if (data.code == 'x') data.code = unknown;
      }
      for (const Writer& writer : kWriters) {
        EXPECT_EQ(FailureOf(writer, line.tree), writer.failure)
            << writer.name << " " << unknown << " in " << EncodeUtf8(markup);
      }
    }
  }
}

// The markup of a line holding the row's structure after a letter, each slot with one letter.
std::u16string StructureLine(const ConstructRow& row) {
  std::u16string markup = u"<a>\\" + std::u16string(row.escape) + u"{<b>";
  for (int8_t slot = 1; slot < row.slotCount; ++slot) markup += u"}{<c>";
  return markup + u"}";
}

TEST(Constructs, SlotLevelsAreTheOnesLayoutGives) {
  FixedMetrics metrics;
  BoxLayouter layouter{metrics};
  for (const ConstructRow& row : ConstructTable()) {
    EquationLine line(StructureLine(row), &layouter);
    line.Layout();
    const int32_t node = line.tree.Child(line.tree.root, 1);
    for (int8_t slot = 0; slot < row.slotCount; ++slot) {
      EXPECT_EQ(line.tree.Data(line.tree.Child(node, slot)).level,
                line.tree.Data(node).level + row.slots[slot].levelChange)
          << EncodeUtf8(row.escape) << " slot " << int{slot};
    }
  }
}

// Every move a row names lands in one of its slots, so a new row cannot send the caret away.
TEST(Constructs, CaretNeighboursNameSlotsOfTheirOwnRow) {
  for (const ConstructRow& row : ConstructTable()) {
    const auto valid = [&](int8_t move) {
      return move == kLeaveAfter || move == kLeaveBefore || move == kPassOn ||
             (move >= 0 && move < row.slotCount);
    };
    EXPECT_TRUE(row.upEnters < row.slotCount && row.downEnters < row.slotCount);
    for (const SlotRow& slot : row.Slots()) {
      EXPECT_TRUE(valid(slot.next) && valid(slot.previous) && valid(slot.up) && valid(slot.down))
          << EncodeUtf8(row.escape);
      EXPECT_NE(slot.next, kLeaveBefore) << EncodeUtf8(row.escape);
      EXPECT_NE(slot.previous, kLeaveAfter) << EncodeUtf8(row.escape);
      if (slot.backspaceAtStart == SlotStartBackspace::ToPreviousSlotIfEmpty) {
        EXPECT_GE(slot.previous, 0) << EncodeUtf8(row.escape);
      }
    }
  }
}

TEST(Constructs, EveryRowReadsAndWritesBackThroughItsEscape) {
  for (const ConstructRow& row : ConstructTable()) {
    const std::u16string markup = StructureLine(row);
    EquationLine line(markup);
    const int32_t node = line.tree.Child(line.tree.root, 1);
    ASSERT_GE(node, 0) << EncodeUtf8(row.escape);
    EXPECT_EQ(line.tree.CodeAt(node), row.code);
    EXPECT_EQ(line.tree.ChildCount(node), row.slotCount);
    ExportTextBuffer buffer;
    line.Serialize(buffer);
    EXPECT_EQ(line.markup, markup);
  }
}

}  // namespace
}  // namespace kav
