#include "export/mathml_operands.h"

namespace kav {
namespace {

bool EndsOperand(ItemKind kind) {
  return kind == ItemKind::Operand || kind == ItemKind::Close;
}

bool StartsOperand(ItemKind kind) {
  return kind == ItemKind::Operand || kind == ItemKind::Open || kind == ItemKind::Lead;
}

bool IsOperator(ItemKind kind) {
  return kind == ItemKind::Lead || kind == ItemKind::Binary;
}

}  // namespace

std::vector<std::u16string> SpelledRow(std::vector<RowItem> items) {
  std::vector<std::u16string> out;
  out.reserve(items.size());
  bool afterOperand = false;
  for (size_t i = 0; i < items.size(); ++i) {
    RowItem& item = items[i];
    if (!IsOperator(item.kind)) {
      afterOperand = EndsOperand(item.kind);
      out.push_back(std::move(item.text));
      continue;
    }
    const bool left = afterOperand || item.kind == ItemKind::Lead;
    const bool right = i + 1 < items.size() && StartsOperand(items[i + 1].kind);
    if ((!left || !right) && !item.ordinary.empty()) {
      out.push_back(std::move(item.ordinary));
      afterOperand = true;
      continue;
    }
    if (!left) out.push_back(u"<mrow/>");
    out.push_back(std::move(item.text));
    if (!right) out.push_back(u"<mrow/>");
    afterOperand = !right;
  }
  return out;
}

}  // namespace kav
