#include "import/formula_markup.h"

#include <string_view>

#include "model/constructs.h"
#include "model/markup_escapes.h"
#include "model/symbol_facts.h"

namespace kav {
namespace {

// The table's name of a code; empty for a code the table does not name (punctuation, letters).
std::u16string_view NameView(SymbolCode c) {
  const SymbolFacts* facts = FactsOf(c);
  return facts ? facts->name : std::u16string_view();
}

void WriteLetter(const LatexNode& data, std::u16string& out) {
  if ((data.style & StyleRed) != 0) out += u"\\red";
  out.push_back(u'<');
  const std::u16string_view name = NameView(data.code);
  if (data.code < 128 && name.empty()) {
    out.push_back(static_cast<char16_t>(data.code));
  } else {
    out += name;
  }
  for (const MarkupAttribute& attribute : kMarkupAttributes) {
    if ((data.style & attribute.bit) != 0) out += attribute.text;
  }
  out.push_back(u'>');
}

}  // namespace

void WriteFormulaMarkup(const LatexTree& tree, int32_t node, std::u16string& out) {
  const LatexNode& data = tree.At(node);
  switch (data.code) {
    case code::Placeholder: return;
    case code::None: out += u"\\none"; return;
    case code::Group:
      for (int32_t child = data.first; child >= 0; child = tree.NextSibling(child)) {
        WriteFormulaMarkup(tree, child, out);
      }
      return;
    default: break;
  }
  const ConstructRow* row = FindConstruct(data.code);
  if (row == nullptr) {
    RequireKnownCode(data.code, u"Markup");
    return WriteLetter(data, out);
  }
  if ((data.style & StyleRed) != 0) out += u"\\red";
  out.push_back(u'\\');
  out += row->escape;
  out.push_back(u'{');
  for (int32_t child = data.first; child >= 0; child = tree.NextSibling(child)) {
    if (child != data.first) out += u"}{";
    WriteFormulaMarkup(tree, child, out);
  }
  out.push_back(u'}');
}

}  // namespace kav
