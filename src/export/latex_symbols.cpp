#include "export/latex_symbols.h"

namespace kav {
namespace {

constexpr std::u16string_view kRel = u"\\mathrel";
constexpr std::u16string_view kBin = u"\\mathbin";
constexpr std::u16string_view kPunct = u"\\mathpunct";

constexpr LatexSymbol kSymbols[] = {
    {'!', u"!", {}},
    {'(', u"(", {}},
    {')', u")", {}},
    {'*', u"*", kBin},
    {'+', u"+", kBin},
    {',', u",", kPunct},
    {'-', u"-", kBin},
    {'.', u".", {}},
    {'=', u"=", kRel},
    {'[', u"[", {}},
    {']', u"]", {}},
    {code::LBrace, u"\\{", {}},
    {code::RBrace, u"\\}", {}},
    {124, u"\\vert", {}},
    {60, u"<", kRel},
    {62, u">", kRel},
    {8804, u"\\leq", kRel},
    {8805, u"\\geq", kRel},
    {8712, u"\\in", kRel},
    {183, u"\\cdot", kBin},
    {215, u"\\times", kBin},
    {176, u"^{\\circ}", {}},
    {8745, u"\\cap", kBin},
    {8746, u"\\cup", kBin},
    {8834, u"\\subset", kRel},
    {8734, u"\\infty", {}},
    {8594, u"\\rightarrow", kRel},
    {177, u"\\pm", kBin},
    {8943, u"\\cdots", {}},
    {8970, u"\\lfloor", {}},
    {8971, u"\\rfloor", {}},
    {8968, u"\\lceil", {}},
    {8969, u"\\rceil", {}},
    {47, u"/", {}},
    {8730, u"\\surd", {}},
};

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

std::span<const LatexSymbol> LatexSymbols() {
  return kSymbols;
}

const LatexSymbol* FindLatexSymbol(SymbolCode code) {
  for (const LatexSymbol& row : kSymbols) {
    if (row.code == code) return &row;
  }
  return nullptr;
}

std::u16string LatexGreekOf(SymbolCode c) {
  switch (c) {
    case 949: return u"varepsilon";
    case 966: return u"varphi";
    default: return NameOf(c);
  }
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
