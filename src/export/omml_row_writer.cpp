// A run of entries each taking the one before nests: the last of the run encloses all the
// others, so the openings go outermost first, then the first entry of the run, then the
// closings innermost first.
#include "export/omml_row_writer.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "export/omml_row_items.h"
#include "export/omml_runs.h"
#include "model/constructs.h"
#include "model/line.h"
#include "model/symbol_facts.h"

namespace kav {
namespace {

struct RowContext {
  const EquationTree& tree;
  const std::vector<int32_t>& children;
  std::vector<OmmlLeaf> leaves;
  std::vector<int32_t> partners;
};

// What wraps the base of a chain: a script or operator child, a subscript and superscript on
// one base (one m:sSubSup), or a function name applied to it.
struct Wrapper {
  int32_t position = -1;
  int32_t pairPosition = -1;
  const OmmlItem* function = nullptr;
};

void Range(std::string& out, const RowContext& row, int32_t begin, int32_t end);

SymbolCode CodeOf(const RowContext& row, int32_t position) {
  return row.leaves[position].code;
}

// An element that is one operator needing an operand before (or after) it: at either end of an
// argument, or two in a row ("x>=y" written as ">" and "="), it gets an empty run to stand
// beside.
bool NeedsBefore(const RowContext& row, const OmmlItem& item) {
  return item.kind == OmmlItemKind::Single && NeedsOperandBefore(CodeOf(row, item.first));
}

bool NeedsAfter(const RowContext& row, const OmmlItem& item) {
  return item.kind == OmmlItemKind::Single && NeedsOperandAfter(CodeOf(row, item.first));
}

void LoneOperator(std::string& out, const RowContext& row, const OmmlItem& item) {
  AppendOmmlLoneOperator(out, CodeOf(row, item.first), row.leaves[item.first].style);
}

bool IsSubSupPair(const RowContext& row, const Wrapper& a, const Wrapper& b) {
  if (a.function != nullptr || b.function != nullptr) return false;
  const SymbolCode first = CodeOf(row, a.position);
  const SymbolCode second = CodeOf(row, b.position);
  return FamilyOf(first) == LayoutFamily::Script && FamilyOf(second) == LayoutFamily::Script &&
         FirstSlotRole(first) != FirstSlotRole(second);
}

std::vector<Wrapper> PairScripts(const RowContext& row, const std::vector<Wrapper>& wrappers) {
  std::vector<Wrapper> paired;
  for (size_t k = 0; k < wrappers.size(); ++k) {
    paired.push_back(wrappers[k]);
    if (k + 1 < wrappers.size() && IsSubSupPair(row, wrappers[k], wrappers[k + 1])) {
      paired.back().pairPosition = wrappers[++k].position;
    }
  }
  return paired;
}

void ScriptArgument(std::string& out, const RowContext& row, int32_t position) {
  AppendOmmlNode(out, row.tree, row.tree.Child(row.children[position], 0));
}

void Name(std::string& out, const RowContext& row, const OmmlItem& function);

void Open(std::string& out, const RowContext& row, const Wrapper& wrapper) {
  if (wrapper.function != nullptr) {
    out += "<m:func><m:fName>";
    Name(out, row, *wrapper.function);
    out += "</m:fName><m:e>";
  } else if (wrapper.pairPosition >= 0) {
    out += "<m:sSubSup><m:e>";
  } else {
    OpenOmmlNode(out, row.tree, row.children[wrapper.position]);
  }
}

void Close(std::string& out, const RowContext& row, const Wrapper& wrapper) {
  if (wrapper.function != nullptr) {
    out += "</m:e></m:func>";
  } else if (wrapper.pairPosition >= 0) {
    const bool subFirst = FirstSlotRole(CodeOf(row, wrapper.position)) == SlotRole::Subscript;
    out += "</m:e><m:sub>";
    ScriptArgument(out, row, subFirst ? wrapper.position : wrapper.pairPosition);
    out += "</m:sub><m:sup>";
    ScriptArgument(out, row, subFirst ? wrapper.pairPosition : wrapper.position);
    out += "</m:sup></m:sSubSup>";
  } else {
    CloseOmmlNode(out, row.tree, row.children[wrapper.position]);
  }
}

// `wrappers` innermost first.
template <typename WriteBase>
void Chain(std::string& out, const RowContext& row, const std::vector<Wrapper>& wrappers,
           WriteBase writeBase) {
  const std::vector<Wrapper> paired = PairScripts(row, wrappers);
  for (auto it = paired.rbegin(); it != paired.rend(); ++it) Open(out, row, *it);
  writeBase();
  for (const Wrapper& wrapper : paired) Close(out, row, wrapper);
}

std::u16string LettersOf(const RowContext& row, int32_t first, int32_t end) {
  std::u16string letters;
  for (int32_t i = first; i < end; ++i) letters.push_back(static_cast<char16_t>(CodeOf(row, i)));
  return letters;
}

// A function name with the scripts on it; the last script is the innermost, as in any row.
void Name(std::string& out, const RowContext& row, const OmmlItem& function) {
  std::vector<Wrapper> scripts;
  for (int32_t i = function.last; i >= function.nameEnd; --i) scripts.push_back({i});
  Chain(out, row, scripts, [&] {
    AppendOmmlLetters(out, LettersOf(row, function.first, function.nameEnd),
                      row.leaves[function.first].style, OmmlRunForm::Upright);
  });
}

// A delimiter as Office Math's bracket property: the character the symbol stands for.
void Delimiter(std::string& out, std::string_view property, SymbolCode c) {
  out.append("<m:").append(property).append(" m:val=\"");
  const SymbolFacts* facts = FactsOf(c);
  AppendOmmlChar(out, facts ? facts->unicode : c);
  out += "\"/>";
}

// LibreOffice reads a round or square bracket only in a pair, so one without a partner is
// written as plain text.
void Single(std::string& out, const RowContext& row, int32_t position) {
  const OmmlLeaf& leaf = row.leaves[position];
  const bool bracket = leaf.code == '(' || leaf.code == ')' || leaf.code == '[' || leaf.code == ']';
  if (!bracket || (leaf.style & StyleAccentMask) != 0) {
    return AppendOmmlNode(out, row.tree, row.children[position]);
  }
  AppendOmmlLetters(out, std::u16string(1, static_cast<char16_t>(leaf.code)), leaf.style,
                    OmmlRunForm::PlainText);
}

void Item(std::string& out, const RowContext& row, const OmmlItem& item) {
  switch (item.kind) {
    case OmmlItemKind::Single: return Single(out, row, item.first);
    case OmmlItemKind::Fence:
      out += "<m:d><m:dPr>";
      Delimiter(out, "begChr", CodeOf(row, item.first));
      Delimiter(out, "endChr", CodeOf(row, item.last));
      out += "</m:dPr><m:e>";
      Range(out, row, item.first + 1, item.last);
      out += "</m:e></m:d>";
      return;
    case OmmlItemKind::Run:
    case OmmlItemKind::Word:
      return AppendOmmlLetters(
          out, LettersOf(row, item.first, item.last + 1), row.leaves[item.first].style,
          item.kind == OmmlItemKind::Run ? OmmlRunForm::Upright : OmmlRunForm::PlainText);
    case OmmlItemKind::Function: return Name(out, row, item);
  }
}

Wrapper WrapperOf(const OmmlItem& item) {
  if (item.kind == OmmlItemKind::Function) return {-1, -1, &item};
  return {item.first};
}

// Writes each element with what wraps it (its scripts, the operator or function it is the
// operand of), in Office Math order.
void Chains(std::string& out, const RowContext& row, const std::vector<OmmlItem>& items) {
  std::vector<OmmlRole> roles;
  for (const OmmlItem& item : items) roles.push_back(RoleOf(item, row.leaves));
  const std::vector<OmmlRowEntry> order = OmmlRowOrder(roles);
  const OmmlItem* lonePrevious = nullptr;
  size_t start = 0;
  while (start < order.size()) {
    size_t stop = start + 1;
    std::vector<Wrapper> wrappers;
    for (; stop < order.size() && order[stop].takesPrevious; ++stop) {
      wrappers.push_back(WrapperOf(items[order[stop].position]));
    }
    const OmmlItem& base = items[order[start].position];
    if (wrappers.empty() && lonePrevious != nullptr && NeedsBefore(row, base)) {
      AppendOmmlEmptyRun(out);
    }
    lonePrevious = wrappers.empty() && NeedsAfter(row, base) ? &base : nullptr;
    // An operator as the base of a script or the operand of an operator stands alone there.
    Chain(out, row, wrappers, [&] {
      if (!wrappers.empty() && NeedsAfter(row, base)) return LoneOperator(out, row, base);
      Item(out, row, base);
    });
    start = stop;
  }
}

// Writes the elements of children [begin, end) as one Office Math argument.
void Range(std::string& out, const RowContext& row, int32_t begin, int32_t end) {
  const std::vector<OmmlItem> items = OmmlRowItems(row.leaves, row.partners, begin, end);
  if (items.empty()) return;
  if (items.size() == 1 && NeedsAfter(row, items[0])) {
    return LoneOperator(out, row, items[0]);
  }
  if (NeedsBefore(row, items.front())) AppendOmmlEmptyRun(out);
  Chains(out, row, items);
  if (NeedsAfter(row, items.back())) AppendOmmlEmptyRun(out);
}

// How many groups enclose `group`.
int32_t GroupDepth(const EquationTree& tree, int32_t group) {
  int32_t depth = 0;
  for (int32_t node = tree.Parent(group); node >= 0; node = tree.Parent(node)) {
    if (tree.CodeAt(node) == code::Group) ++depth;
  }
  return depth;
}

}  // namespace

// Bracket pairs nest like structures, so a row may pair only as deep as the structures around
// it leave room for: the writer's own nesting stays as bounded as the tree's.
void AppendOmmlRow(std::string& out, const EquationTree& tree, int32_t group) {
  RowContext row{tree, tree.Children(group), {}, {}};
  for (int32_t child : row.children) {
    row.leaves.push_back({tree.CodeAt(child), tree.Data(child).style});
  }
  row.partners =
      OmmlFencePartners(row.leaves, std::max(0, kMaxStructureNesting - GroupDepth(tree, group)));
  Range(out, row, 0, static_cast<int32_t>(row.children.size()));
}

}  // namespace kav
