// Test-only tool: reads LaTeX formulas, one a line, on standard input and writes one JSON line
// for each on standard output, so that hundreds of thousands of real formulas go through the
// reader and the writers in one process instead of one kav-convert run each.
//   latex_formula_outputs < formulas.txt
// A formula the reader refuses:   {"read":false,"message":"LaTeX: ..."}
// A formula it reads (an align environment may give several lines, hence the lists):
//   {"read":true,"markup":[...],"latex":[...],"mathml":[...],"omml":[...]}
// The texts are what kav-convert --from latex writes for --to markup, latex, mathml and omml.
// A writer that fails on a line it read is reported as {"read":false,"message":"writer: ..."}.
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "base/failure.h"
#include "base/utf.h"
#include "export/convert_text.h"
#include "import/input_bounds.h"
#include "import/latex_reader.h"
#include "model/document_file.h"

namespace {

constexpr struct {
  const char* name;
  kav::TextFormat format;
} kOutputs[] = {{"markup", kav::TextFormat::Markup},
                {"latex", kav::TextFormat::Latex},
                {"mathml", kav::TextFormat::Mathml},
                {"omml", kav::TextFormat::Omml}};

void AppendJsonString(std::string& out, const std::string& utf8) {
  out += '"';
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
      out += escaped;
    } else {
      out += c;
    }
  }
  out += '"';
}

std::string Refused(const std::string& message) {
  std::string json = "{\"read\":false,\"message\":";
  AppendJsonString(json, message);
  return json + "}";
}

// The reader's markups, with the converter's own limits on a line and on a formula.
std::vector<std::u16string> ReadFormula(const std::u16string& text) {
  if (text.size() > kav::kMaxFormulaText) kav::Fail(kav::TooLongText(u"The line", text.size()));
  std::vector<std::u16string> markups = kav::ReadLatexFormulas(text);
  for (const std::u16string& markup : markups) {
    if (!kav::FitsALine(markup.size())) kav::Fail(kav::LineTooLongText(markup.size()));
  }
  if (markups.empty()) kav::Fail(u"The input holds no formula");
  return markups;
}

std::string Outputs(const std::vector<std::u16string>& markups) {
  std::string json = "{\"read\":true";
  kav::ExportTextBuffer buffer;
  for (const auto& output : kOutputs) {
    json += std::string(",\"") + output.name + "\":[";
    for (size_t i = 0; i < markups.size(); ++i) {
      if (i > 0) json += ',';
      AppendJsonString(json, kav::LineText(markups[i], output.format, buffer));
    }
    json += ']';
  }
  return json + "}";
}

std::string FormulaJson(const std::string& line) {
  const std::optional<std::u16string> text = kav::DecodeUtf8(line);
  if (!text) return Refused("Invalid UTF-8");
  std::vector<std::u16string> markups;
  try {
    markups = ReadFormula(*text);
  } catch (const kav::Failure& failure) {
    return Refused(kav::EncodeUtf8(failure.text));
  }
  try {
    return Outputs(markups);
  } catch (const kav::Failure& failure) {
    return Refused("writer: " + kav::EncodeUtf8(failure.text));
  }
}

}  // namespace

int main() {
  std::ios::sync_with_stdio(false);
  std::string line;
  while (std::getline(std::cin, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::cout << FormulaJson(line) << '\n';
  }
  std::cout.flush();
  return std::cout ? 0 : 1;
}
