#include "export/omml_row_items.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "model/constructs.h"
#include "model/function_names.h"

namespace kav {
namespace {

// Words LibreOffice's formula reader takes for its own commands, in any case ("Div", "OR", "Re"),
// when they arrive as plain upright text: each of these, tried as an upright run with and without
// a script, came out with an error mark, as a different symbol or not at all.
constexpr std::u16string_view kReservedWords[] = {
    u"abs",        u"acute",     u"aleph",       u"alignc",   u"alignl",   u"alignr",
    u"and",        u"approx",    u"backepsilon", u"bar",      u"binom",    u"bold",
    u"boper",      u"breve",     u"cdot",        u"check",    u"circ",     u"circle",
    u"color",      u"coprod",    u"csub",        u"csup",     u"dddot",    u"ddot",
    u"def",        u"div",       u"divides",     u"dlarrow",  u"dlrarrow", u"dot",
    u"dotsaxis",   u"dotsdown",  u"dotslow",     u"dotsup",   u"dotsvert", u"downarrow",
    u"drarrow",    u"emptyset",  u"equiv",       u"evaluate", u"exists",   u"fact",
    u"fixed",      u"font",      u"forall",      u"fourier",  u"from",     u"func",
    u"ge",         u"geslant",   u"gg",          u"grave",    u"gt",       u"harpoon",
    u"hat",        u"hbar",      u"hex",         u"iiint",    u"iint",     u"im",
    u"in",         u"infinity",  u"infty",       u"int",      u"intd",     u"intersection",
    u"ital",       u"italic",    u"lambdabar",   u"langle",   u"laplace",  u"lbrace",
    u"lceil",      u"ldbracket", u"ldline",      u"le",       u"left",     u"leftarrow",
    u"leslant",    u"lfloor",    u"lim",         u"liminf",   u"limsup",   u"lint",
    u"ll",         u"lline",     u"llint",       u"lllint",   u"lsub",     u"lsup",
    u"lt",         u"matrix",    u"minusplus",   u"mline",    u"nabla",    u"nbold",
    u"ndivides",   u"neg",       u"neq",         u"newline",  u"ni",       u"nitalic",
    u"none",       u"nospace",   u"notin",       u"nroot",    u"odivide",  u"odot",
    u"ominus",     u"oper",      u"oplus",       u"or",       u"ortho",    u"otimes",
    u"over",       u"overline",  u"overstrike",  u"owns",     u"parallel", u"partial",
    u"phantom",    u"plusminus", u"prec",        u"prod",     u"prop",     u"rangle",
    u"rbrace",     u"rceil",     u"rdbracket",   u"re",       u"rfloor",   u"right",
    u"rightarrow", u"rline",     u"rsub",        u"rsup",     u"sans",     u"serif",
    u"setc",       u"setminus",  u"setn",        u"setq",     u"setr",     u"setz",
    u"sim",        u"simeq",     u"size",        u"slash",    u"sqrt",     u"stack",
    u"sub",        u"subset",    u"subseteq",    u"succ",     u"sum",      u"sup",
    u"supset",     u"supseteq",  u"tilde",       u"times",    u"to",       u"toward",
    u"transl",     u"transr",    u"underline",   u"union",    u"uoper",    u"uparrow",
    u"vec",        u"widehat",   u"widetilde",   u"widevec",  u"wp",
};

// LibreOffice's function names, also read in any case: "sinh" arrives as itself, but "Exp" or
// "LOG" would come out as exp and log, so only another case makes them plain text.
constexpr std::u16string_view kFunctionWords[] = {
    u"arccos", u"arccot", u"arcosh", u"arcoth", u"arcsin", u"arctan", u"arsinh",
    u"artanh", u"cos",    u"cosh",   u"cot",    u"coth",   u"exp",    u"ln",
    u"log",    u"sin",    u"sinh",   u"tan",    u"tanh",
};

bool IsLetter(SymbolCode c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// An upright letter that joins a run; the colour must match the run's first letter.
bool JoinsRun(const OmmlLeaf& leaf, const OmmlLeaf& first) {
  return IsLetter(leaf.code) && (leaf.style & ~StyleRed) == StyleRoman &&
         (leaf.style & StyleRed) == (first.style & StyleRed);
}

std::u16string TextOf(const std::vector<OmmlLeaf>& leaves, int32_t first, int32_t end) {
  std::u16string text;
  for (int32_t i = first; i < end; ++i) text.push_back(static_cast<char16_t>(leaves[i].code));
  return text;
}

bool IsFunctionName(std::u16string_view text) {
  return !text.empty() && TrailingFunctionName(text).size() == text.size();
}

// The run of upright letters starting at `first` (at least two letters), or a single child.
OmmlItem RunAt(const std::vector<OmmlLeaf>& leaves, int32_t first, int32_t end) {
  int32_t last = first;
  while (last + 1 < end && JoinsRun(leaves[last + 1], leaves[first])) ++last;
  if (last == first || !JoinsRun(leaves[first], leaves[first])) {
    return {OmmlItemKind::Single, first, first, first + 1};
  }
  const std::u16string text = TextOf(leaves, first, last + 1);
  if (IsFunctionName(text)) {
    int32_t scripts = last;
    while (scripts + 1 < end && IsScriptCode(leaves[scripts + 1].code)) ++scripts;
    return {OmmlItemKind::Function, first, scripts, last + 1};
  }
  std::u16string lower = text;
  for (char16_t& c : lower) c = c >= u'A' && c <= u'Z' ? c - u'A' + u'a' : c;
  const bool reserved =
      std::ranges::find(kReservedWords, lower) != std::end(kReservedWords) ||
      (lower != text && std::ranges::find(kFunctionWords, lower) != std::end(kFunctionWords));
  return {reserved ? OmmlItemKind::Word : OmmlItemKind::Run, first, last, last + 1};
}

}  // namespace

std::vector<OmmlItem> OmmlRowItems(const std::vector<OmmlLeaf>& leaves,
                                   const std::vector<int32_t>& partners, int32_t begin,
                                   int32_t end) {
  std::vector<OmmlItem> items;
  int32_t i = begin;
  while (i < end) {
    if (partners[i] > i && partners[i] < end) {
      items.push_back({OmmlItemKind::Fence, i, partners[i], i + 1});
    } else {
      items.push_back(RunAt(leaves, i, end));
    }
    i = items.back().last + 1;
  }
  return items;
}

OmmlRole RoleOf(const OmmlItem& item, const std::vector<OmmlLeaf>& leaves) {
  if (item.kind == OmmlItemKind::Function) return OmmlRole::Operator;
  if (item.kind != OmmlItemKind::Single) return OmmlRole::Ordinary;
  return RoleOfCode(leaves[item.first].code);
}

}  // namespace kav
