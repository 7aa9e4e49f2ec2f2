#include "export/latex_symbols.h"

#include <vector>

#include "model/symbol_facts.h"

namespace kav {
namespace {

constexpr std::u16string_view kRel = u"\\mathrel";
constexpr std::u16string_view kBin = u"\\mathbin";
constexpr std::u16string_view kPunct = u"\\mathpunct";

// A red symbol is wrapped in its class, since LaTeX spaces a colour group as an ordinary symbol.
std::u16string_view ClassWrapper(AtomClass atomClass) {
  switch (atomClass) {
    case AtomClass::Rel: return kRel;
    case AtomClass::Bin: return kBin;
    case AtomClass::Punct: return kPunct;
    default: return {};
  }
}

// One row for every row of the symbol facts, in their order.
std::vector<LatexSymbol> MakeLatexSymbols() {
  std::vector<LatexSymbol> rows;
  for (const SymbolFacts& facts : AllSymbolFacts()) {
    rows.push_back({facts.code, facts.latex, ClassWrapper(facts.atomClass)});
  }
  return rows;
}

bool IsAsciiLetter(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// Longer than any control word the writers emit (\boldsymbol is ten letters). A longer run of
// letters before the end is letters of the formula, and looking no further keeps a formula of
// many letters from costing the square of its length.
constexpr size_t kLongestControlWord = 32;

bool EndsWithControlWord(std::u16string_view text) {
  const size_t stop =
      text.size() > kLongestControlWord + 1 ? text.size() - kLongestControlWord - 1 : 0;
  size_t start = text.size();
  while (start > stop && IsAsciiLetter(text[start - 1])) --start;
  return start < text.size() && start > 0 && text[start - 1] == u'\\';
}

}  // namespace

const LatexSymbol* FindLatexSymbol(SymbolCode code) {
  static const std::vector<LatexSymbol> rows = MakeLatexSymbols();
  const SymbolFacts* facts = FactsOf(code);
  if (!facts || facts->group == SymbolGroup::Greek || facts->group == SymbolGroup::BigOperator) {
    return nullptr;
  }
  return &rows[static_cast<size_t>(facts - AllSymbolFacts().data())];
}

std::u16string LatexGreekOf(SymbolCode c) {
  const SymbolFacts* facts = FactsOf(c);
  if (!facts || facts->group != SymbolGroup::Greek) return NameOf(c);
  return std::u16string(facts->latex.substr(1));  // without the backslash
}

void AppendLatex(ExportTextBuffer& out, std::u16string_view text) {
  if (!text.empty() && IsAsciiLetter(text.front()) && EndsWithControlWord(out.View())) {
    out.AppendChar(u' ');
  }
  out.Append(text);
}

void AppendRedOperator(ExportTextBuffer& out, std::u16string_view sign,
                       std::u16string_view placement) {
  AppendLatex(out, u"\\mathop{");
  out.Append(kLatexRedOpen);
  out.Append(sign);
  out.Append(u"}}");
  AppendLatex(out, placement);
}

}  // namespace kav
