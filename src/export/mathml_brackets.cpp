// Pairs are found with one stack of open brackets and bars; a bracket that meets an open bar
// on the stack leaves that bar without a partner (the bar in "(A|B)" divides, it opens nothing).
#include "export/mathml_brackets.h"

#include "model/symbol_facts.h"

namespace kav {
namespace {

constexpr SymbolCode kBar = 124;

bool IsOpening(SymbolCode c) {
  const SymbolFacts* facts = FactsOf(c);
  return facts && facts->typing == TypingRole::Open;
}

// The opening bracket a closing one pairs with, 0 for a code that closes nothing.
SymbolCode OpeningOf(SymbolCode c) {
  const SymbolFacts* facts = FactsOf(c);
  return facts && facts->typing == TypingRole::Close ? facts->partner : 0;
}

// Whether what stands at `i` ends an operand, so that a bar after it closes a pair.
bool EndsOperand(std::span<const SymbolCode> codes, const BracketPairs& pairs, size_t i) {
  while (i > 0 && codes[i] == code::Placeholder) --i;
  const SymbolCode c = codes[i];
  if (c == code::Placeholder) return false;
  if (c == kBar) return pairs.role[i] == BracketRole::Close;
  return !IsOpening(c) && !IsBigOperator(c) && !TakesOperands(c) && c != ',';
}

}  // namespace

bool TakesOperands(SymbolCode c) {
  const SymbolFacts* facts = FactsOf(c);
  return facts && facts->mathmlOperands != MathmlOperands::None;
}

bool CanLead(SymbolCode c) {
  const SymbolFacts* facts = FactsOf(c);
  return facts && facts->mathmlOperands == MathmlOperands::Leads;
}

BracketPairs PairBrackets(std::span<const SymbolCode> codes) {
  BracketPairs pairs{std::vector<BracketRole>(codes.size(), BracketRole::None),
                     std::vector<int32_t>(codes.size(), -1)};
  std::vector<size_t> open;
  auto pair = [&](size_t from, size_t to) {
    pairs.role[from] = BracketRole::Open;
    pairs.role[to] = BracketRole::Close;
    pairs.partner[from] = static_cast<int32_t>(to);
    pairs.partner[to] = static_cast<int32_t>(from);
    open.pop_back();
  };
  for (size_t i = 0; i < codes.size(); ++i) {
    const SymbolCode c = codes[i];
    if (c == kBar) {
      const bool closes =
          !open.empty() && codes[open.back()] == kBar && i > 0 && EndsOperand(codes, pairs, i - 1);
      if (closes) {
        pair(open.back(), i);
      } else {
        pairs.role[i] = BracketRole::Unpaired;
        open.push_back(i);
      }
    } else if (IsOpening(c)) {
      pairs.role[i] = BracketRole::Unpaired;
      open.push_back(i);
    } else if (const SymbolCode opening = OpeningOf(c); opening != 0) {
      while (!open.empty() && codes[open.back()] == kBar) open.pop_back();
      if (!open.empty() && codes[open.back()] == opening) {
        pair(open.back(), i);
      } else {
        pairs.role[i] = BracketRole::Unpaired;
      }
    }
  }
  return pairs;
}

}  // namespace kav
