// A row is written item by item; letters of one face and colour are written together, so that
// upright letters can spell a function name and bold ones share one \mathbf. Red structures
// colour only their own sign, as in the TeX writer: each argument inside is black again. LaTeX
// spaces a colour group as an ordinary symbol, so a red relation, binary operator, comma or big
// operator is wrapped in its own class again (\mathrel, \mathbin, \mathpunct, \mathop).
#include "export/latex_writer.h"

#include <span>
#include <string_view>
#include <vector>

#include "export/colour_groups.h"
#include "export/latex_letters.h"
#include "export/latex_symbols.h"
#include "model/symbol_facts.h"

namespace kav {
namespace {

constexpr std::u16string_view kRedOpen = kLatexRedOpen;
constexpr std::u16string_view kBlackOpen = u"\\textcolor{black}{";
constexpr SymbolCode kDegree = 176;

constexpr ColourGroups kGroups{kRedOpen, kBlackOpen, WriteLatexNode};

bool IsRed(const NodeData& data) {
  return (data.style & StyleRed) != 0;
}

// Which scripts the base written last already has. LaTeX refuses a second superscript or
// subscript on one base, and a script right after a big operator would become its limit.
struct ScriptSlots {
  bool super = false;
  bool sub = false;
};

// Opens a script, first with an empty base of its own when the current one has that script.
void OpenScript(bool super, ScriptSlots& slots, ExportTextBuffer& out) {
  if (super ? slots.super : slots.sub) {
    out.Append(u"{}");
    slots = ScriptSlots{};
  }
  (super ? slots.super : slots.sub) = true;
  out.Append(super ? u"^{" : u"_{");
}

// A red sign is an operator of its own with the limits outside its colour: the integral keeps
// its limits at the side, as the black one does, the sum and product above and below.
void WriteBigOperator(const EquationTree& tree, int32_t node, const ConstructRow& row,
                      ExportTextBuffer& out) {
  const std::u16string_view sign = row.latex.opening;
  if (IsRed(tree.Data(node))) {
    AppendRedOperator(out, sign, row.limitsBeside ? u"\\nolimits" : u"\\limits");
  } else {
    AppendLatex(out, sign);
  }
  WriteLimit(kGroups, tree, tree.Child(node, 0), u"_{", false, out);
  WriteLimit(kGroups, tree, tree.Child(node, 1), u"^{", false, out);
}

// The degree sign is a superscript circle; red colours the circle only.
void WriteDegree(bool red, ScriptSlots& slots, ExportTextBuffer& out) {
  OpenScript(true, slots, out);
  out.Append(red ? u"\\textcolor{red}{\\circ}}" : u"\\circ}");
}

// Punctuation and named symbols; false when the code has no LaTeX and nothing was written.
bool WriteSymbol(const NodeData& data, ExportTextBuffer& out) {
  const LatexSymbol* symbol = FindLatexSymbol(data.code);
  if (symbol == nullptr) return false;
  if (!IsRed(data)) {
    AppendLatex(out, symbol->latex);
    return true;
  }
  if (!symbol->atomClass.empty()) {
    AppendLatex(out, symbol->atomClass);
    out.AppendChar(u'{');
  }
  out.Append(kRedOpen);
  out.Append(symbol->latex);
  out.AppendChar(u'}');
  if (!symbol->atomClass.empty()) out.AppendChar(u'}');
  return true;
}

// A letter joins the run before it when it has no accent and the run's face and colour.
bool JoinsRun(const NodeData& data, const NodeData& first) {
  return IsStyledLetter(data.code) && LatexAccentOf(data.style).empty() &&
         LatexFaceOf(data.style) == LatexFaceOf(first.style) && IsRed(data) == IsRed(first);
}

// Writes the run of letters that starts at items[at]; returns the index after it.
size_t WriteRun(const EquationTree& tree, std::span<const int32_t> items, size_t at,
                ExportTextBuffer& out) {
  const NodeData& first = tree.Data(items[at]);
  std::vector<SymbolCode> codes;
  size_t end = at;
  while (end < items.size() && JoinsRun(tree.Data(items[end]), first)) {
    codes.push_back(tree.CodeAt(items[end++]));
  }
  WriteLetterRun(codes, LatexFaceOf(first.style), IsRed(first), out);
  return end;
}

// An empty slot is "{}"; inside an argument's own braces nothing more is needed.
void WritePlaceholder(const EquationTree& tree, int32_t node, ExportTextBuffer& out) {
  const int32_t parent = tree.Parent(node);
  const bool aloneInArgument = parent >= 0 && parent != tree.root && tree.ChildCount(parent) == 1;
  if (!aloneInArgument) out.Append(u"{}");
}

// Writes the item at items[at] (with the letters that join it); returns the next index.
// A structure; a script keeps the base it stands on, a big operator takes both scripts.
void WriteConstruct(const EquationTree& tree, int32_t node, const ConstructRow& row,
                    ScriptSlots& slots, ExportTextBuffer& out) {
  switch (row.family) {
    case LayoutFamily::Script:
      OpenScript(row.slots[0].role == SlotRole::Superscript, slots, out);
      WriteLatexNode(tree, tree.Child(node, 0), out);
      out.AppendChar(u'}');
      return;
    case LayoutFamily::BigOperator:
      WriteBigOperator(tree, node, row, out);
      slots = ScriptSlots{true, true};
      return;
    default:
      WriteBetweenTokens(kGroups, tree, node, IsRed(tree.Data(node)), row.latex, row.slotCount,
                         out);
      slots = ScriptSlots{};
  }
}

size_t WriteItem(const EquationTree& tree, std::span<const int32_t> items, size_t at,
                 ScriptSlots& slots, ExportTextBuffer& out) {
  const int32_t node = items[at];
  const NodeData& data = tree.Data(node);
  if (const ConstructRow* row = FindConstruct(data.code)) {
    WriteConstruct(tree, node, *row, slots, out);
    return at + 1;
  }
  RequireKnownCode(data.code, u"LaTeX");
  switch (data.code) {
    case code::None: return at + 1;  // nothing to see: the base stays what it was
    case code::Placeholder: WritePlaceholder(tree, node, out); break;
    case code::Group:  // not made by the reader or the editor; braced, it is one base
      out.AppendChar(u'{');
      WriteLatexNode(tree, node, out);
      out.AppendChar(u'}');
      break;
    case kDegree: WriteDegree(IsRed(data), slots, out); return at + 1;
    default:
      if (IsStyledLetter(data.code) && LatexAccentOf(data.style).empty()) {
        slots = ScriptSlots{};
        return WriteRun(tree, items, at, out);
      }
      if (IsStyledLetter(data.code)) {
        WriteAccentedLetter(data.code, data.style, out);
      } else if (!WriteSymbol(data, out)) {
        return at + 1;  // a code without LaTeX is left out and is no base
      }
  }
  slots = ScriptSlots{};
  return at + 1;
}

void WriteRow(const EquationTree& tree, int32_t group, ExportTextBuffer& out) {
  const std::vector<int32_t>& items = tree.Children(group);
  ScriptSlots slots;
  for (size_t at = 0; at < items.size();) at = WriteItem(tree, items, at, slots, out);
}

}  // namespace

void WriteLatexNode(const EquationTree& tree, int32_t node, ExportTextBuffer& out) {
  if (tree.root < 0 || node < 0) return;
  if (tree.CodeAt(node) == code::Group) return WriteRow(tree, node, out);
  ScriptSlots slots;
  const int32_t items[] = {node};
  WriteItem(tree, items, 0, slots, out);
}

std::u16string TreeLatex(const EquationTree& tree, ExportTextBuffer& buffer) {
  buffer.Clear();
  WriteLatexNode(tree, tree.root, buffer);
  return buffer.Text();
}

}  // namespace kav
