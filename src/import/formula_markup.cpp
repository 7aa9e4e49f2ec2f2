#include "import/formula_markup.h"

#include <array>
#include <string_view>

#include "model/symbols.h"

namespace kav {
namespace {

// Which ASCII codes the table names ("/", "<", ">", "|"), found once from the table itself.
bool HasAsciiName(SymbolCode c) {
  static const auto named = [] {
    std::array<bool, 128> result{};
    for (const SymbolRow& row : SymbolTable()) {
      if (row.code < 128) result[row.code] = true;
    }
    return result;
  }();
  return named[c];
}

void WriteLetter(const NodeData& data, ExportTextBuffer& out) {
  static constexpr std::u16string_view kAttributes[] = {u"|rm",  u"|rmbold", u"|vector",
                                                        u"|hat", u"|bar",    u"|tilde"};
  if ((data.style & StyleRed) != 0) out.Append(u"\\red");
  out.AppendChar(u'<');
  if (data.code < 128 && !HasAsciiName(data.code)) {
    out.AppendChar(static_cast<char16_t>(data.code));
  } else {
    out.Append(NameOf(data.code));
  }
  for (int bit = 0; bit < 6; ++bit) {
    if ((data.style & (1u << bit)) != 0) out.Append(kAttributes[bit]);
  }
  out.AppendChar(u'>');
}

std::u16string_view EscapeOf(SymbolCode c) {
  switch (c) {
    case code::Frac: return u"\\frac{";
    case code::Sum: return u"\\sum{";
    case code::Prod: return u"\\prod{";
    case code::Integral: return u"\\integral{";
    case code::Super: return u"\\super{";
    case code::Sub: return u"\\sub{";
    default: return u"\\sqrt{";
  }
}

}  // namespace

void WriteFormulaMarkup(const EquationTree& tree, int32_t node, ExportTextBuffer& out) {
  const NodeData& data = tree.Data(node);
  switch (data.code) {
    case code::Placeholder: return;
    case code::None: out.Append(u"\\none"); return;
    case code::Group:
      for (int32_t child : tree.Children(node)) WriteFormulaMarkup(tree, child, out);
      return;
    case code::Frac:
    case code::Sum:
    case code::Prod:
    case code::Integral:
    case code::Super:
    case code::Sub:
    case code::Sqrt:
      if ((data.style & StyleRed) != 0) out.Append(u"\\red");
      out.Append(EscapeOf(data.code));
      for (int32_t i = 0; i < tree.ChildCount(node); ++i) {
        if (i > 0) out.Append(u"}{");
        WriteFormulaMarkup(tree, tree.Child(node, i), out);
      }
      out.AppendChar(u'}');
      return;
    default: WriteLetter(data, out);
  }
}

}  // namespace kav
