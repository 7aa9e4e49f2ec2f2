#include "edit/style_statistics.h"

#include <algorithm>
#include <string>

#include "model/function_names.h"
#include "model/symbol_facts.h"

namespace kav {
namespace {

constexpr int32_t kGreekFirstRow = 53;

int32_t GreekIndex(SymbolCode c) {
  const SymbolFacts* facts = FactsOf(c);
  return facts && facts->group == SymbolGroup::Greek ? facts->row : -1;
}

int32_t CellOf(const NodeData& data) {
  return StyleRowOf(data.code) * kStyleColumns + StyleColumnOf(data.style);
}

// Adds one for every node of the subtree, and takes one off again for every letter of a
// function name, as the row's run of lowercase letters recognises them. The changes are listed
// as they come and summed per cell afterwards: a line costs no allocation per node.
void CountSubtree(const EquationTree& tree, int32_t node, StyleCounts& changes) {
  const std::vector<int32_t>& items = tree.Children(node);
  std::u16string run;  // the lowercase letters ending at the current item
  for (size_t i = 0; i < items.size(); ++i) {
    CountSubtree(tree, items[i], changes);
    const SymbolCode c = tree.CodeAt(items[i]);
    if (c < 'a' || c > 'z') {
      run.clear();
      continue;
    }
    run.push_back(static_cast<char16_t>(c));
    const size_t letters = TrailingFunctionName(run).size();
    for (size_t k = 0; k < letters; ++k) changes.emplace_back(CellOf(tree.Data(items[i - k])), -1);
  }
  changes.emplace_back(CellOf(tree.Data(node)), 1);
}

}  // namespace

int32_t StyleRowOf(SymbolCode c) {
  if (c >= 'a' && c <= 'z') return static_cast<int32_t>(c - 'a') + 1;
  if (c >= 'A' && c <= 'Z') return static_cast<int32_t>(c - 'A') + 27;
  const int32_t greek = GreekIndex(c);
  if (greek >= 0 && kGreekFirstRow + greek < kStyleRows) return kGreekFirstRow + greek;
  return 0;
}

int32_t StyleColumnOf(StyleFlags style) {
  const int32_t base = (style & StyleRoman) ? 1 : (style & StyleBoldRoman) ? 2 : 0;
  int32_t accent = 0;
  if (style & StyleVector) {
    accent = 1;
  } else if (style & StyleHat) {
    accent = 2;
  } else if (style & StyleBar) {
    accent = 3;
  } else if (style & StyleTilde) {
    accent = 4;
  }
  return base * 5 + accent;
}

StyleFlags StyleOfColumn(int32_t column) {
  static constexpr StyleFlags kBases[] = {0, StyleRoman, StyleBoldRoman, 0};
  static constexpr StyleFlags kAccents[] = {0, StyleVector, StyleHat, StyleBar, StyleTilde};
  return kBases[column / 5] | kAccents[column % 5];
}

StyleCounts CountLineStyles(const EquationTree& tree) {
  StyleCounts changes;
  if (tree.root >= 0) CountSubtree(tree, tree.root, changes);
  std::sort(changes.begin(), changes.end());
  StyleCounts counts;
  for (size_t k = 0; k < changes.size();) {
    const int32_t cell = changes[k].first;
    int32_t amount = 0;
    for (; k < changes.size() && changes[k].first == cell; ++k) amount += changes[k].second;
    if (amount != 0) counts.emplace_back(cell, amount);
  }
  return counts;
}

int32_t StyleStatistics::ChosenColumn(int32_t row) const {
  int32_t best = 0;
  for (int32_t column = 1; column < kStyleColumns; ++column) {
    if (Count(row, column) > Count(row, best)) best = column;
  }
  return best;
}

StyleFlags StyleStatistics::StyleFor(SymbolCode c) const {
  const int32_t row = StyleRowOf(c);
  return row == 0 ? 0 : StyleOfColumn(ChosenColumn(row));
}

void StyleStatistics::Add(const StyleCounts& counts, int32_t sign) {
  for (const auto& [cell, amount] : counts) live_[cell] += sign * amount;
}

void StyleStatistics::Recount(const std::vector<EquationLine>& lines) {
  live_.fill(0);
  shares_.clear();
  shares_.reserve(lines.size());
  for (const EquationLine& line : lines) {
    shares_.push_back(CountLineStyles(line.tree));
    Add(shares_.back(), 1);
  }
}

void StyleStatistics::LineInserted(int32_t index, const EquationLine& line) {
  StyleCounts counts = CountLineStyles(line.tree);
  Add(counts, 1);
  shares_.insert(shares_.begin() + index, std::move(counts));
}

void StyleStatistics::LineRemoved(int32_t index) {
  Add(shares_[index], -1);
  shares_.erase(shares_.begin() + index);
}

void StyleStatistics::LineChanged(int32_t index, const EquationLine& line) {
  Add(shares_[index], -1);
  shares_[index] = CountLineStyles(line.tree);
  Add(shares_[index], 1);
}

}  // namespace kav
