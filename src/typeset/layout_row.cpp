// A row: its children cut into atoms (a base with the scripts that follow it), spaced by their
// classes, scripts raised and lowered beside their base, all on one baseline.
#include <algorithm>
#include <string>

#include "model/function_names.h"
#include "typeset/atom_spacing.h"
#include "typeset/layout_passes.h"
#include "typeset/script_shifts.h"

namespace kav {
namespace {

struct Atom {
  int32_t first = 0;  // the base: children first..last - 1 of the row (empty before a lone script)
  int32_t last = 0;
  int32_t sup = -1;   // script nodes, -1 for none
  int32_t sub = -1;
  AtomClass kind = AtomClass::Ord;
  bool limits = false;  // an operator name whose scripts stand below and above it in display
};

bool IsScript(SymbolCode c) { return c == code::Super || c == code::Sub; }

bool IsUprightLetter(const NodeData& d) {
  const bool letter = (d.code >= u'a' && d.code <= u'z') || (d.code >= u'A' && d.code <= u'Z');
  return letter && (d.style & StyleFaceMask) == StyleRoman;
}

// The function name that starts at `i` (an upright run the names list knows) and its end.
const OperatorName* FunctionNameAt(const EquationTree& tree, const std::vector<int32_t>& items,
                                   size_t i, size_t& end) {
  end = i;
  std::u16string letters;
  while (end < items.size() && IsUprightLetter(tree.Data(items[end]))) {
    letters.push_back(static_cast<char16_t>(tree.CodeAt(items[end])));
    ++end;
  }
  return end > i ? OperatorNameOfLetters(letters) : nullptr;
}

// A script joins the atom before it unless that atom already has one of its kind.
void AddScript(std::vector<Atom>& atoms, int32_t script, bool super, int32_t index) {
  if (atoms.empty() || (super ? atoms.back().sup : atoms.back().sub) >= 0) {
    atoms.push_back(Atom{index, index});
  }
  (super ? atoms.back().sup : atoms.back().sub) = script;
}

std::vector<Atom> CutIntoAtoms(const EquationTree& tree, int32_t row) {
  const std::vector<int32_t>& items = tree.Children(row);
  std::vector<Atom> atoms;
  atoms.reserve(items.size());  // at most one atom per item; growing would copy a long row's
  for (size_t i = 0; i < items.size();) {
    const SymbolCode c = tree.CodeAt(items[i]);
    const int32_t index = static_cast<int32_t>(i);
    if (IsScript(c)) {
      AddScript(atoms, items[i], c == code::Super, index);
      ++i;
      continue;
    }
    size_t end = i;
    const OperatorName* name = FunctionNameAt(tree, items, i, end);
    if (name == nullptr) end = i + 1;
    const AtomClass kind =
        name ? AtomClass::Op : (IsLeafSymbol(c) || IsBigOperator(c) ? ClassOf(c) : AtomClass::Ord);
    atoms.push_back(Atom{index, static_cast<int32_t>(end), -1, -1, kind, name && name->limits});
    i = end;
  }
  return atoms;
}

VerticalExtent ExtentOf(const EquationTree& tree, int32_t node) {
  const NodeData& d = tree.Data(node);
  return VerticalExtent{AscentOf(d), d.depth};
}

// Puts the base's items side by side from `x`; returns their width and extent.
int32_t PlaceBase(EquationTree& tree, const std::vector<int32_t>& items, const Atom& atom,
                  int32_t x, VerticalExtent& base) {
  int32_t width = 0;
  for (int32_t k = atom.first; k < atom.last; ++k) {
    const NodeData& d = tree.Data(items[k]);
    PutChild(tree, items[k], x + width, 0);
    width += d.width;
    base.ascent = std::max(base.ascent, AscentOf(d));
    base.depth = std::max(base.depth, d.depth);
  }
  return width;
}

int32_t WidthOf(const EquationTree& tree, int32_t node) {
  return node >= 0 ? tree.Data(node).width : 0;
}

// An operator name in display style: its scripts centred below and above it, as limits.
int32_t PlaceLimits(EquationTree& tree, const std::vector<int32_t>& items, const Atom& atom,
                    int32_t pen, const MathUnits& u) {
  int32_t baseWidth = 0;
  for (int32_t k = atom.first; k < atom.last; ++k) baseWidth += tree.Data(items[k]).width;
  const int32_t width = std::max({baseWidth, WidthOf(tree, atom.sup), WidthOf(tree, atom.sub)});
  VerticalExtent base;
  PlaceBase(tree, items, atom, pen + (width - baseWidth) / 2, base);
  const VerticalExtent sup = atom.sup >= 0 ? ExtentOf(tree, atom.sup) : VerticalExtent{};
  const VerticalExtent sub = atom.sub >= 0 ? ExtentOf(tree, atom.sub) : VerticalExtent{};
  const ScriptShifts shifts = StackLimits(u, base, atom.sup >= 0 ? &sup : nullptr,
                                          atom.sub >= 0 ? &sub : nullptr);
  PutChild(tree, atom.sup, pen + (width - WidthOf(tree, atom.sup)) / 2, shifts.raise);
  PutChild(tree, atom.sub, pen + (width - WidthOf(tree, atom.sub)) / 2, -shifts.drop);
  return width;
}

// Lays out one atom from `pen`; returns its width.
int32_t PlaceAtom(EquationTree& tree, const std::vector<int32_t>& items, const Atom& atom,
                  int32_t pen, const MathUnits& u, MathStyle style, const LayoutContext& context) {
  const bool hasScript = atom.sup >= 0 || atom.sub >= 0;
  if (hasScript && atom.limits && style.IsDisplay()) return PlaceLimits(tree, items, atom, pen, u);
  VerticalExtent base;
  const int32_t width = PlaceBase(tree, items, atom, pen, base);
  if (!hasScript) return width;
  const bool cramped = style.cramped;
  const bool symbol = atom.last - atom.first <= 1 &&
                      (atom.last == atom.first || IsLeafSymbol(tree.CodeAt(items[atom.first])));
  const int32_t italic = atom.last > atom.first ? context.italic[items[atom.last - 1]] : 0;
  const VerticalExtent sup = atom.sup >= 0 ? ExtentOf(tree, atom.sup) : VerticalExtent{};
  const VerticalExtent sub = atom.sub >= 0 ? ExtentOf(tree, atom.sub) : VerticalExtent{};
  const ScriptShifts shifts = ShiftScripts(u, ScriptBase{base, symbol, cramped},
                                           atom.sup >= 0 ? &sup : nullptr,
                                           atom.sub >= 0 ? &sub : nullptr);
  int32_t scripts = 0;
  if (atom.sup >= 0) {
    PutChild(tree, atom.sup, pen + width, shifts.raise);
    scripts = tree.Data(atom.sup).width;
  }
  if (atom.sub >= 0) {
    PutChild(tree, atom.sub, pen + width - italic, -shifts.drop);
    scripts = std::max(scripts, tree.Data(atom.sub).width - italic);
  }
  return width + scripts + u(MathConstant::SpaceAfterScript);
}

}  // namespace

void MeasureRow(EquationTree& tree, int32_t node, LayoutContext& context) {
  NodeData& row = tree.Data(node);
  const MathStyle style = context.styles[node];
  const MathUnits u(context.metrics, row.size);
  std::vector<Atom> atoms = CutIntoAtoms(tree, node);
  std::vector<AtomClass> classes(atoms.size());
  for (size_t k = 0; k < atoms.size(); ++k) classes[k] = atoms[k].kind;
  ResolveBinaries(classes);
  const std::vector<int32_t>& items = tree.Children(node);
  int32_t pen = 0;
  for (size_t k = 0; k < atoms.size(); ++k) {
    if (k > 0) pen += u.Mu(SpaceBetween(classes[k - 1], classes[k], style.IsScript()));
    pen += PlaceAtom(tree, items, atoms[k], pen, u, style, context);
  }
  int32_t ascent = 0, depth = 0;
  for (int32_t child : items) {
    const NodeData& d = tree.Data(child);
    ascent = std::max(ascent, -d.y);
    depth = std::max(depth, d.y + d.height);
  }
  SetExtent(tree.Data(node), pen, ascent, depth);
  if (!atoms.empty() && atoms.back().sup < 0 && atoms.back().sub < 0) {
    context.italic[node] = context.italic[items.back()];
  }
}

}  // namespace kav
