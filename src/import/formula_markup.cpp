#include "import/formula_markup.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

#include "model/constructs.h"
#include "model/markup_escapes.h"
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

// The table's name of a code, found by a binary search over the rows sorted by code once; empty
// for a code the table does not hold.
std::u16string_view NameView(SymbolCode c) {
  static const auto sorted = [] {
    std::array<std::pair<SymbolCode, std::u16string_view>, 64> result{};
    size_t count = 0;
    for (const SymbolRow& row : SymbolTable()) {
      if (count < result.size()) result[count++] = {row.code, row.name};
    }
    // Rows that share a code keep the table's order: the first one names it, as NameOf does.
    std::stable_sort(result.begin(), result.begin() + count,
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    return std::pair{result, count};
  }();
  const auto end = sorted.first.begin() + sorted.second;
  const auto it = std::lower_bound(sorted.first.begin(), end, c,
                                   [](const auto& row, SymbolCode key) { return row.first < key; });
  return it != end && it->first == c ? it->second : std::u16string_view();
}

void WriteLetter(const LatexNode& data, std::u16string& out) {
  if ((data.style & StyleRed) != 0) out += u"\\red";
  out.push_back(u'<');
  if (data.code < 128 && !HasAsciiName(data.code)) {
    out.push_back(static_cast<char16_t>(data.code));
  } else {
    out += NameView(data.code);
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
