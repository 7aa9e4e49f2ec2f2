// libFuzzer target for the markup reader: any text either reads or fails with one of the
// reader's own texts; whatever reads must write, read back to the same tree and write the same
// text again, and a selection of it must read back as well. Its LaTeX is printable ASCII whose
// braces balance.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/failure.h"
#include "export/latex_writer.h"
#include "model/line.h"
#include "fuzz_target.h"

namespace kav {

const char kFuzzTarget[] = "markup";

namespace {

bool IsReaderText(std::u16string_view text) {
  static constexpr std::u16string_view kTexts[] = {
      u"Unknown escape sequence", u"Unexpected char", u"Expected {",      u"Expected }",
      u"Expected >",              u"Name too long",   u"Nesting too deep", u"Unknown letter ",
      u"Unknown letter {"};
  return std::find(std::begin(kTexts), std::end(kTexts), text) != std::end(kTexts);
}

int32_t ArgumentCount(SymbolCode c) {
  if (c == code::Frac || IsBigOperator(c)) return 2;
  if (c == code::Super || c == code::Sub || c == code::Sqrt) return 1;
  return 0;
}

// The shape rules every tree read from markup keeps once its placeholders are in.
void CheckShape(const EquationTree& tree, int32_t node) {
  const SymbolCode c = tree.CodeAt(node);
  const int32_t count = tree.ChildCount(node);
  if (c == code::Group) {
    Check(count > 0, "empty group");
    const SymbolCode first = tree.CodeAt(tree.Child(node, 0));
    Check(first != code::Super && first != code::Sub, "group starts with a script");
  } else {
    Check(count == ArgumentCount(c), "wrong argument count");
    Check(count > 0 || IsLeafSymbol(c) || c == code::None || c == code::Placeholder, "bad leaf");
  }
  for (int32_t child : tree.Children(node)) {
    Check(tree.Parent(child) == node, "parent link");
    Check((tree.CodeAt(child) == code::Group) == (c != code::Group), "groups alternate");
    CheckShape(tree, child);
  }
}

// The style bits that writing keeps: none on \none, red only on a structure ("<sum|rm>" reads
// as a sum carrying rm, which is not written), all on a letter.
StyleFlags WrittenStyle(SymbolCode c) {
  if (c == code::None) return 0;
  return ArgumentCount(c) > 0 ? StyleRed : ~0u;
}

bool SameTree(const EquationTree& a, int32_t na, const EquationTree& b, int32_t nb) {
  const NodeData& x = a.Data(na);
  const NodeData& y = b.Data(nb);
  const StyleFlags mask = WrittenStyle(x.code);
  if (x.code != y.code || (x.style & mask) != (y.style & mask)) return false;
  if (a.ChildCount(na) != b.ChildCount(nb)) return false;
  for (int32_t i = 0; i < a.ChildCount(na); ++i) {
    if (!SameTree(a, a.Child(na, i), b, b.Child(nb, i))) return false;
  }
  return true;
}

// Wholly selects the root's children whose bit in `bits` is set and writes the selection.
std::u16string SelectionText(EquationLine& line, uint32_t bits) {
  EquationTree& tree = line.tree;
  tree.Data(tree.root).selection = 2;
  for (int32_t i = 0; i < tree.ChildCount(tree.root); ++i) {
    const int32_t selection = (bits >> (i % 32)) & 1 ? 3 : 1;
    tree.CollectSubtree(tree.Child(tree.root, i),
                        [&](int32_t n) { tree.Data(n).selection = selection; });
  }
  ExportTextBuffer buffer;
  line.SerializeSelection(tree.root, buffer);
  return buffer.Text();
}

void CheckLatex(const EquationTree& tree) {
  ExportTextBuffer buffer;
  const std::u16string latex = TreeLatex(tree, buffer);
  int32_t depth = 0;
  for (size_t i = 0; i < latex.size(); ++i) {
    const char16_t unit = latex[i];
    Check(unit >= 32 && unit < 127, "LaTeX is not printable ASCII");
    if (unit == u'\\') ++i;  // "\{" and "\}" are braces to see, not groups
    depth += unit == u'{' ? 1 : unit == u'}' ? -1 : 0;
    Check(depth >= 0, "LaTeX closes a brace it did not open");
  }
  Check(depth == 0, "LaTeX leaves a brace open");
}

void CheckReadBack(EquationLine& line, uint32_t selectionBits) {
  CheckLatex(line.tree);
  CheckShape(line.tree, line.tree.root);
  ExportTextBuffer buffer;
  line.Serialize(buffer);
  const std::u16string first = line.markup;
  for (char16_t unit : first) Check(unit > 32 && unit < 127, "written markup is not ASCII");
  try {
    EquationLine again(first);
    Check(SameTree(line.tree, line.tree.root, again.tree, again.tree.root), "tree changed");
    again.Serialize(buffer);
    Check(again.markup == first, "second writing differs");
    EquationLine selection(SelectionText(line, selectionBits));
    CheckShape(selection.tree, selection.tree.root);
  } catch (const Failure&) {
    Check(false, "written markup does not read back");
  }
}

}  // namespace
}  // namespace kav

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace kav;
  EquationLine line;
  line.markup = UnitsOf(data, size);
  try {
    line.Reparse();
  } catch (const Failure& failure) {
    Check(IsReaderText(failure.text), "unexpected failure text");
    Check(line.markup == UnitsOf(data, size), "failure changed the markup");
    return 0;
  }
  uint32_t bits = 0;
  for (size_t i = 0; i < size; ++i) bits = bits * 31 + data[i];
  CheckReadBack(line, bits);
  return 0;
}
