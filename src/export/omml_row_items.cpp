#include "export/omml_row_items.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "model/function_names.h"

namespace kav {
namespace {

// Words LibreOffice's formula reader takes for its own commands, in any case ("Div", "OR"), when
// they arrive as plain upright text: each of these, tried as an upright run with and without a
// script, came out with an error mark or as a different symbol.
constexpr std::u16string_view kReservedWords[] = {
    u"abs",   u"and",  u"approx", u"bar",    u"binom",  u"cdot",  u"color",  u"coprod", u"def",
    u"div",   u"dot",  u"equiv",  u"fact",   u"from",   u"ge",    u"hat",    u"in",     u"int",
    u"le",    u"left", u"lim",    u"liminf", u"limsup", u"lline", u"matrix", u"mline",  u"neg",
    u"nroot", u"or",   u"over",   u"prod",   u"prop",   u"right", u"rline",  u"sim",    u"sqrt",
    u"stack", u"sub",  u"sum",    u"sup",    u"supset", u"tilde", u"times",  u"to",     u"vec",
};

bool IsLetter(SymbolCode c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsScript(SymbolCode c) {
  return c == code::Super || c == code::Sub;
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
    while (scripts + 1 < end && IsScript(leaves[scripts + 1].code)) ++scripts;
    return {OmmlItemKind::Function, first, scripts, last + 1};
  }
  std::u16string lower = text;
  for (char16_t& c : lower) c = c >= u'A' && c <= u'Z' ? c - u'A' + u'a' : c;
  const bool reserved = std::ranges::find(kReservedWords, lower) != std::end(kReservedWords);
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
