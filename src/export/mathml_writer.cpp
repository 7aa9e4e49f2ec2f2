// A row is written item by item: a base with the scripts that follow it, a digit run, a function
// name, or a big operator with its operand. Scripts and operators follow their base or come before
// their operand as siblings in the tree; MathML nests them, so each item gathers its siblings.
// Red structures colour only their own sign: every argument inside is black again.
#include "export/mathml_writer.h"

#include <string_view>
#include <vector>

#include "export/latex_writer.h"
#include "export/mathml_brackets.h"
#include "export/mathml_leaves.h"
#include "export/mathml_operands.h"
#include "model/constructs.h"
#include "model/export_buffer.h"
#include "model/mathml_chars.h"
#include "typeset/glyph_place.h"

namespace kav {
namespace {

using Items = std::vector<std::u16string>;
using RowItems = std::vector<RowItem>;

constexpr std::u16string_view kFunctionNames[] = {u"asin", u"acos", u"atan", u"sin",
                                                   u"cos",  u"tan",  u"log",  u"exp"};
constexpr std::u16string_view kRed = u" mathcolor=\"red\"";
constexpr SymbolCode kBar = 124;

bool IsDigit(SymbolCode c) { return c >= '0' && c <= '9'; }

std::u16string Joined(const Items& items) {
  std::u16string out;
  for (const std::u16string& item : items) out += item;
  return out;
}

// One element for a row of items: an empty or several-item row becomes an <mrow>.
std::u16string AsOneElement(const Items& items) {
  if (items.size() == 1) return items[0];
  if (items.empty()) return u"<mrow/>";
  return u"<mrow>" + Joined(items) + u"</mrow>";
}

// Whether an element is a base with scripts: as a script or as the base of another script it is
// wrapped in a row of its own, since "a^b^c" and "E_f_1" are not read as nested scripts.
bool IsScripted(std::u16string_view element) {
  return element.starts_with(u"<msub") || element.starts_with(u"<msup");
}

std::u16string Wrapped(std::u16string element) {
  return IsScripted(element) ? u"<mrow>" + element + u"</mrow>" : element;
}

class Writer {
 public:
  explicit Writer(const EquationTree& tree) : tree_(tree) {}

  Items Row(int32_t group) const {
    if (group < 0) return {};
    const std::vector<int32_t>& row = tree_.Children(group);
    std::vector<SymbolCode> codes(row.size());
    for (size_t i = 0; i < row.size(); ++i) codes[i] = CodeAt(row, i);
    const BracketPairs pairs = PairBrackets(codes);
    RowItems items;
    for (size_t i = 0; i < row.size();) i = Item(row, pairs, i, items, true);
    return SpelledRow(std::move(items));
  }

 private:
  SymbolCode CodeAt(const std::vector<int32_t>& row, size_t i) const {
    return tree_.CodeAt(row[i]);
  }

  // An argument of a structure: black again inside a red one.
  std::u16string Argument(int32_t group, bool red) const {
    if (!red) return AsOneElement(Row(group));
    return u"<mrow mathcolor=\"black\">" + Joined(Row(group)) + u"</mrow>";
  }

  std::u16string Open(std::u16string_view tag, bool red) const {
    return u"<" + std::u16string(tag) + (red ? std::u16string(kRed) : u"") + u">";
  }

  std::u16string Close(std::u16string_view tag) const { return u"</" + std::u16string(tag) + u">"; }

  // Writes the item that starts at `i` and returns where the next one starts. `wholeOperand`:
  // a big operator's operand that opens a bracket runs through its partner.
  size_t Item(const std::vector<int32_t>& row, const BracketPairs& pairs, size_t i, RowItems& items,
              bool wholeOperand) const {
    const SymbolCode c = CodeAt(row, i);
    if (c == code::Placeholder) return i + 1;
    // A \none outside the start of a limit draws nothing. MathML allows its <none/> only among
    // multiscripts, so an empty row marked by its class keeps it for the way back.
    if (c == code::None) {
      items.push_back({u"<mrow class=\"kav-none\"/>"});
      return i + 1;
    }
    if (IsBigOperator(c)) return BigOperator(row, pairs, i, items, wholeOperand);
    RowItem item;
    size_t next = i;
    const size_t nameLength = FunctionNameAt(row, i);
    if (IsScriptCode(c)) {
      item.text = u"<mrow/>";
    } else if (nameLength > 0) {
      item.text = FunctionName(row, i, nameLength);
      next = i + nameLength;
    } else {
      next = DigitRunEnd(row, i);
      if (next > i + 1) {
        item.text = DigitRun(row, i, next);
      } else {
        next = i + 1;
        const bool scripted = next < row.size() && IsScriptCode(CodeAt(row, next));
        item = LeafItem(row[i], pairs.role[i], scripted);
      }
    }
    bool wrapBase = item.kind != ItemKind::Close && !IsScriptCode(c);
    if (item.kind == ItemKind::Open && next < row.size() && IsScriptCode(CodeAt(row, next))) {
      // Scripts after an opening bracket stand on an empty base of their own inside the
      // brackets: the bracket itself must stay in the row with its partner.
      items.push_back(std::move(item));
      item = RowItem{u"<mrow/>"};
      wrapBase = false;
    }
    next = Scripts(row, next, item.text, wrapBase);
    items.push_back(std::move(item));
    if (nameLength > 0) items.push_back({u"<mo>\u2061</mo>"});
    return next;
  }

  // A structure, or a leaf as its place in the row spells it, with how it stands to its
  // neighbours.
  RowItem LeafItem(int32_t node, BracketRole role, bool scripted) const {
    const NodeData& data = tree_.Data(node);
    if (!IsLeafSymbol(data.code) || HasOneAccent(data.style)) return {Element(node)};
    const SymbolCode c = data.code;
    // Bars of a pair are brackets; a lone bar divides.
    const bool isOperator =
        TakesOperands(c) && role != BracketRole::Open && role != BracketRole::Close;
    RowItem item{MathmlLeaf(data, SpellingOf(c, role, scripted))};
    if (role == BracketRole::Open) {
      item.kind = ItemKind::Open;
    } else if (role == BracketRole::Close) {
      item.kind = ItemKind::Close;
    } else if (c == ',' && !scripted) {
      item.kind = ItemKind::Separator;
    } else if (isOperator && scripted) {
      item.text = ScriptedOperator(data, role);
    } else if (isOperator) {
      item.kind = CanLead(c) ? ItemKind::Lead : ItemKind::Binary;
      if (c == '*' || c == kBar) item.ordinary = MathmlLeaf(data, SpellingOf(c, role, true));
    }
    return item;
  }

  // An operator with scripts of its own: an ordinary symbol where it has one, or else with
  // empty operands in a row of its own ("{}={}" with "def" over it).
  std::u16string ScriptedOperator(const NodeData& data, BracketRole role) const {
    if (data.code == '*' || data.code == kBar)
      return MathmlLeaf(data, SpellingOf(data.code, role, true));
    return std::u16string(CanLead(data.code) ? u"<mrow>" : u"<mrow><mrow/>") +
           MathmlLeaf(data, UsualSpelling(data.code)) + u"<mrow/></mrow>";
  }

  // Wraps `base` in the scripts that follow it from `j`; returns the position after them. Each
  // script nests what came before it, so the opening tags are gathered first and joined in
  // reverse: a base with thousands of scripts is not copied once per script. A base that is
  // itself scripted sits in a row of its own (`wrapBase`), except a closing bracket, which must
  // stay in the row of its partner, and the empty base of scripts before anything.
  size_t Scripts(const std::vector<int32_t>& row, size_t j, std::u16string& base,
                 bool wrapBase) const {
    std::vector<std::u16string> opens;
    std::u16string tail;
    const bool scriptedBase = wrapBase && IsScripted(base);
    while (j < row.size() && IsScriptCode(CodeAt(row, j))) {
      const int32_t script = row[j];
      const bool red = (tree_.Data(script).style & StyleRed) != 0;
      // A subscript with a superscript after it, of one colour, is one element.
      const bool pair = FirstSlotRole(tree_.CodeAt(script)) == SlotRole::Subscript &&
                        j + 1 < row.size() && IsScriptCode(CodeAt(row, j + 1)) &&
                        FirstSlotRole(CodeAt(row, j + 1)) == SlotRole::Superscript &&
                        ((tree_.Data(row[j + 1]).style & StyleRed) != 0) == red;
      const std::u16string_view tag =
          pair ? u"msubsup" : FindConstruct(tree_.CodeAt(script))->mathmlElement;
      const bool wrap = red || scriptedBase || (wrapBase && !opens.empty());
      opens.push_back(Open(tag, red) + (red    ? u"<mrow mathcolor=\"black\">"
                                        : wrap ? u"<mrow>"
                                               : u""));
      if (wrap) tail += u"</mrow>";
      tail += ScriptArgument(tree_.Child(script, 0), red);
      if (pair) tail += ScriptArgument(tree_.Child(row[j + 1], 0), red);
      tail += Close(tag);
      j += pair ? 2 : 1;
    }
    if (opens.empty()) return j;
    std::u16string out;
    for (auto open = opens.rbegin(); open != opens.rend(); ++open) out += *open;
    out += base;
    out += tail;
    base = std::move(out);
    return j;
  }

  std::u16string ScriptArgument(int32_t group, bool red) const {
    return Wrapped(Argument(group, red));
  }

  std::u16string Element(int32_t node) const {
    const NodeData& data = tree_.Data(node);
    const bool red = (data.style & StyleRed) != 0;
    if (data.code == code::Group) return AsOneElement(Row(node));
    const ConstructRow* row = FindConstruct(data.code);
    if (row == nullptr) {
      RequireKnownCode(data.code, u"MathML");
      return MathmlLeaf(data, UsualSpelling(data.code));
    }
    std::u16string out = Open(row->mathmlElement, red);
    for (int8_t slot = 0; slot < row->slotCount; ++slot) {
      out += Argument(tree_.Child(node, slot), red);
    }
    return out + Close(row->mathmlElement);
  }

  // Sums and products take their limits under and over the sign, integrals beside it; the
  // operand (the next item, or a bracket with all it encloses) is grouped with the operator, as
  // Office reads an n-ary operator. An operand that is itself a big operator nests in the same
  // way; such a run is written in one pass, its groups closed at the end, so that no run of
  // operators, however long, recurses. Within a bracketed operand, an operator takes one item.
  size_t BigOperator(const std::vector<int32_t>& row, const BracketPairs& pairs, size_t i,
                     RowItems& items, bool wholeOperand) const {
    std::u16string out;
    size_t open = 0;
    size_t next = i;
    while (next < row.size() && IsBigOperator(CodeAt(row, next))) {
      out += u"<mrow>" + OperatorWithLimits(row[next]) + u"<mrow>";
      ++open;
      ++next;
      while (next < row.size() && CodeAt(row, next) == code::Placeholder) ++next;
    }
    RowItems operand;
    const size_t end = wholeOperand && next < row.size() && pairs.role[next] == BracketRole::Open
                           ? static_cast<size_t>(pairs.partner[next])
                           : next;
    while (next < row.size() && next <= end) next = Item(row, pairs, next, operand, false);
    out += Joined(SpelledRow(std::move(operand)));
    for (size_t k = 0; k < open; ++k) out += u"</mrow></mrow>";
    items.push_back({std::move(out)});
    return next;
  }

  std::u16string OperatorWithLimits(int32_t node) const {
    const bool red = (tree_.Data(node).style & StyleRed) != 0;
    const int32_t lower = tree_.Child(node, 0);
    const int32_t upper = tree_.Child(node, 1);
    const bool showLower = LimitShown(tree_, lower);
    const bool showUpper = LimitShown(tree_, upper);
    const bool integral = FindConstruct(tree_.CodeAt(node))->limitsBeside;
    std::u16string sign = u"<mo>";
    sign.push_back(MathmlBigOperatorChar(tree_.CodeAt(node)));
    sign += u"</mo>";
    if (!showLower && !showUpper) return red ? u"<mo mathcolor=\"red\">" + sign.substr(4) : sign;
    const std::u16string_view tag = showLower && showUpper ? (integral ? u"msubsup" : u"munderover")
                                    : showLower           ? (integral ? u"msub" : u"munder")
                                                          : (integral ? u"msup" : u"mover");
    std::u16string out = Open(tag, red) + sign;
    if (showLower) out += ScriptArgument(lower, red);
    if (showUpper) out += ScriptArgument(upper, red);
    return out + Close(tag);
  }

  // The length of the upright function name spelled from `i` by letters of one colour, 0 if none.
  size_t FunctionNameAt(const std::vector<int32_t>& row, size_t i) const {
    const StyleFlags style = tree_.Data(row[i]).style;
    if ((style & ~StyleRed) != StyleRoman) return 0;
    for (std::u16string_view name : kFunctionNames) {
      if (i + name.size() > row.size()) continue;
      bool match = true;
      for (size_t k = 0; k < name.size() && match; ++k) {
        const NodeData& data = tree_.Data(row[i + k]);
        match = data.code == name[k] && data.style == style;
      }
      if (match) return name.size();
    }
    return 0;
  }

  std::u16string FunctionName(const std::vector<int32_t>& row, size_t i, size_t length) const {
    std::u16string text;
    for (size_t k = 0; k < length; ++k) text.push_back(static_cast<char16_t>(CodeAt(row, i + k)));
    const bool red = (tree_.Data(row[i]).style & StyleRed) != 0;
    return u"<mi" + (red ? std::u16string(kRed) : u"") + u">" + text + u"</mi>";
  }

  // Digits of one face and colour and without accents make one number.
  size_t DigitRunEnd(const std::vector<int32_t>& row, size_t i) const {
    const NodeData& first = tree_.Data(row[i]);
    if (!IsDigit(first.code) || (first.style & StyleAccentMask)) return i;
    size_t j = i + 1;
    while (j < row.size() && IsDigit(CodeAt(row, j)) && tree_.Data(row[j]).style == first.style) ++j;
    return j;
  }

  std::u16string DigitRun(const std::vector<int32_t>& row, size_t i, size_t end) const {
    std::u16string digits;
    for (size_t k = i; k < end; ++k) digits.push_back(static_cast<char16_t>(CodeAt(row, k)));
    return MathmlTokenElement(UsualSpelling('0'), digits, tree_.Data(row[i]).style, true);
  }

  const EquationTree& tree_;
};

}  // namespace

std::u16string WriteMathmlRow(const EquationTree& tree, int32_t group) {
  if (tree.root < 0 || group < 0) return {};
  return Joined(Writer(tree).Row(group));
}

std::u16string LineMathml(const EquationTree& tree) {
  std::u16string out =
      u"<math xmlns=\"http://www.w3.org/1998/Math/MathML\" display=\"block\"><semantics><mrow>";
  out += WriteMathmlRow(tree, tree.root);
  out += u"</mrow><annotation encoding=\"application/x-tex\">";
  ExportTextBuffer buffer;
  AppendMathmlEscaped(out, TreeLatex(tree, buffer));
  out += u"</annotation></semantics></math>";
  return out;
}

}  // namespace kav
