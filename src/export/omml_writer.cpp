// Every node appends to one output text, so a row costs time in proportion to what it writes.
// Rows are written by the row writer, which reorders them so that scripts take their base and
// big operators their operand as Office Math nests them; a script or operator is written as an
// opening and a closing around the text it takes.
#include "export/omml_writer.h"

#include "base/failure.h"
#include "export/omml_row_writer.h"
#include "export/omml_runs.h"
#include "model/constructs.h"
#include "model/symbol_facts.h"

namespace kav {
namespace {

void Frac(std::string& out, const EquationTree& tree, int32_t node) {
  out += "<m:f><m:num>";
  AppendOmmlNode(out, tree, tree.Child(node, 0));
  out += "</m:num><m:den>";
  AppendOmmlNode(out, tree, tree.Child(node, 1));
  out += "</m:den></m:f>";
}

void Radical(std::string& out, const EquationTree& tree, int32_t node) {
  out += "<m:rad><m:radPr><m:degHide m:val=\"on\"/></m:radPr><m:deg/><m:e>";
  AppendOmmlNode(out, tree, tree.Child(node, 0));
  out += "</m:e></m:rad>";
}

// The integral sign is Office Math's default n-ary character, so it needs no property.
void NaryCharacter(std::string& out, SymbolCode c) {
  if (c == code::Integral) return;
  out += "<m:chr m:val=\"";
  AppendOmmlChar(out, FactsOf(c)->unicode);
  out += "\"/>";
}

// Which form the limits take depends on whether each writes anything, so they are written
// apart first.
void OpenNary(std::string& out, const EquationTree& tree, int32_t node) {
  std::string lower;
  std::string upper;
  AppendOmmlNode(lower, tree, tree.Child(node, 0));
  AppendOmmlNode(upper, tree, tree.Child(node, 1));
  out += "<m:nary><m:naryPr>";
  NaryCharacter(out, tree.CodeAt(node));
  if (!upper.empty()) {
    out.append("</m:naryPr><m:sub>").append(lower).append("</m:sub><m:sup>");
    out.append(upper).append("</m:sup>");
  } else if (!lower.empty()) {
    out.append("<m:supHide m:val=\"on\"/></m:naryPr><m:sub>").append(lower);
    out += "</m:sub><m:sup/>";
  } else {
    out += "<m:subHide m:val=\"on\"/><m:supHide m:val=\"on\"/></m:naryPr><m:sub/><m:sup/>";
  }
  out += "<m:e>";
}

bool TakesBase(SymbolCode c) {
  const ConstructRow* row = FindConstruct(c);
  return row != nullptr && row->attachment != Attachment::Alone;
}

}  // namespace

// What a script or operator writes before the text it takes.
void OpenOmmlNode(std::string& out, const EquationTree& tree, int32_t node) {
  const ConstructRow& row = *FindConstruct(tree.CodeAt(node));
  if (row.family == LayoutFamily::BigOperator) return OpenNary(out, tree, node);
  out.append("<").append(row.ommlElement).append("><m:e>");
}

// What a script or operator writes after the text it takes.
void CloseOmmlNode(std::string& out, const EquationTree& tree, int32_t node) {
  const ConstructRow& row = *FindConstruct(tree.CodeAt(node));
  if (row.family == LayoutFamily::BigOperator) {
    out += "</m:e></m:nary>";
    return;
  }
  const bool super = row.slots[0].role == SlotRole::Superscript;
  out += super ? "</m:e><m:sup>" : "</m:e><m:sub>";
  AppendOmmlNode(out, tree, tree.Child(node, 0));
  out.append(super ? "</m:sup></" : "</m:sub></").append(row.ommlElement).append(">");
}

void AppendOmmlNode(std::string& out, const EquationTree& tree, int32_t node) {
  if (tree.root < 0 || node < 0) return;
  const NodeData& data = tree.Data(node);
  if (const ConstructRow* row = FindConstruct(data.code)) {
    if (row->family == LayoutFamily::Fraction) return Frac(out, tree, node);
    if (row->family == LayoutFamily::Radical) return Radical(out, tree, node);
    // A script or operator with nothing to take: an empty base or operand.
    OpenOmmlNode(out, tree, node);
    return CloseOmmlNode(out, tree, node);
  }
  switch (data.code) {
    case code::Group: return AppendOmmlRow(out, tree, node);
    case code::Placeholder:
    case code::None: return;
    case code::LBrace: return AppendOmmlCharacter(out, FactsOf(data.code)->unicode, data.style);
    case code::RBrace: return AppendOmmlCharacter(out, FactsOf(data.code)->unicode, data.style);
    // A bar that pairs with none is written as "divides", the bar LibreOffice does not read
    // as "or"; bars that pair are written as delimiters by the row.
    case '|': return AppendOmmlCharacter(out, 0x2223, data.style);
    default:
      if (data.code > 2000000000u) Fail(u"OOXML: Unknown token");
      return AppendOmmlCharacter(out, data.code, data.style);
  }
}

std::string EncodeOmmlChar(uint32_t codePoint) {
  std::string out;
  AppendOmmlChar(out, codePoint);
  return out;
}

std::string WriteOmml(const EquationTree& tree, int32_t node, const std::string& base) {
  std::string out;
  if (tree.root < 0 || node < 0) return out;
  if (!TakesBase(tree.CodeAt(node))) {
    AppendOmmlNode(out, tree, node);
    return out;
  }
  OpenOmmlNode(out, tree, node);
  out += base;
  CloseOmmlNode(out, tree, node);
  return out;
}

}  // namespace kav
