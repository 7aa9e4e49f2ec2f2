#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "export/convert_text.h"
#include "model/symbols.h"

namespace kav {
namespace {

const std::string kExample = KAV_TEST_DATA "/../../examples/all-symbols.kav";

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in) << path;
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

ConvertFailure FailureOf(std::string_view bytes, TextFormat format, int32_t onlyLine = 0) {
  try {
    ConvertDocumentText(bytes, format, onlyLine);
  } catch (const ConvertFailure& failure) {
    return failure;
  }
  return {-1, u"no failure"};
}

TEST(ConvertText, FormatNames) {
  EXPECT_EQ(TextFormatNamed("markup"), TextFormat::Markup);
  EXPECT_EQ(TextFormatNamed("tex"), TextFormat::Tex);
  EXPECT_EQ(TextFormatNamed("hwpeq"), TextFormat::HwpScript);
  EXPECT_EQ(TextFormatNamed("omml"), TextFormat::Omml);
  EXPECT_EQ(TextFormatNamed("png"), std::nullopt);
  EXPECT_EQ(TextFormatNamed("TEX"), std::nullopt);
}

TEST(ConvertText, ExampleDocumentMatchesGoldenOutputs) {
  const std::string document = ReadFile(kExample);
  for (const char* name : {"markup", "tex", "hwpeq", "omml"}) {
    const std::string golden = ReadFile(KAV_TEST_DATA "/all-symbols." + std::string(name) + ".txt");
    EXPECT_EQ(ConvertDocumentText(document, *TextFormatNamed(name), 0), golden) << name;
  }
}

// The example is meant to exercise every structure, style and named symbol; keep it that way.
TEST(ConvertText, ExampleUsesEveryStructureStyleAndSymbol) {
  std::set<SymbolCode> codes;
  StyleFlags styles = 0;
  for (const std::u16string& markup : DocumentMarkups(ReadFile(kExample))) {
    EquationLine line(markup);
    line.tree.CollectSubtree(line.tree.root, [&](int32_t node) {
      codes.insert(line.tree.CodeAt(node));
      styles |= line.tree.Data(node).style;
    });
  }
  for (const SymbolRow& row : SymbolTable()) {
    EXPECT_TRUE(codes.count(row.code)) << "missing symbol row " << row.code;
  }
  for (SymbolCode c : {code::Frac, code::Super, code::Sub, code::Sqrt, code::None}) {
    EXPECT_TRUE(codes.count(c)) << c;
  }
  EXPECT_EQ(styles, 0x7Fu);
}

TEST(ConvertText, OneOutputLinePerDocumentLine) {
  const std::string document = "@@3\n@<x rm>\n@\\frac{<a>}{<b>}\n@\n";
  EXPECT_EQ(ConvertDocumentText(document, TextFormat::Markup, 0),
            "<x|rm>\n\\frac{<a>}{<b>}\n\n");
  EXPECT_EQ(ConvertDocumentText(document, TextFormat::Tex, 2), "\\frac{a}{b}\n");
  EXPECT_EQ(ConvertDocumentText(document, TextFormat::HwpScript, 1), "{rm x it}\n");
  EXPECT_EQ(ConvertDocumentText(document, TextFormat::Omml, 3), "\n");
  // A document without lines is one empty line, as the editor opens it.
  EXPECT_EQ(ConvertDocumentText("@@3\n", TextFormat::Tex, 0), "\n");
  EXPECT_EQ(ConvertDocumentText("", TextFormat::Markup, 1), "\n");
}

TEST(ConvertText, FailuresNameTheirLine) {
  const std::string document = "@@3\n@<x>\n@<a> <b>\n@\\frac{<a>}\n";
  ConvertFailure failure = FailureOf(document, TextFormat::Tex);
  EXPECT_EQ(failure.line, 2);
  EXPECT_EQ(failure.message, u"Unexpected char");
  failure = FailureOf(document, TextFormat::Omml, 3);
  EXPECT_EQ(failure.line, 3);
  EXPECT_EQ(failure.message, u"Expected {");
  // Only the chosen line is read.
  EXPECT_EQ(ConvertDocumentText(document, TextFormat::Markup, 1), "<x>\n");
  failure = FailureOf(document, TextFormat::Markup, 4);
  EXPECT_EQ(failure.line, 4);
  EXPECT_EQ(failure.message, u"No such line; the document has 3 line(s)");
}

TEST(ConvertText, InvalidUtf8NamesTheLineHoldingIt) {
  const ConvertFailure failure = FailureOf("@@3\n@<x>\n@<\xC3(>\n", TextFormat::Tex);
  EXPECT_EQ(failure.line, 2);
  EXPECT_EQ(failure.message, u"Invalid UTF-8 at byte 11");
  // A NUL byte is refused as the editor refuses it, before the bytes after it are decoded.
  const ConvertFailure nul =
      FailureOf(std::string("@@3\n@<x>\n", 9) + '\0' + "\n", TextFormat::Tex);
  EXPECT_EQ(nul.line, 0);
  EXPECT_EQ(nul.message, u"Not a Kav document: line 3 of the file holds a NUL byte");
}

TEST(ConvertText, AFileThatIsNotADocumentIsRefused) {
  const ConvertFailure failure = FailureOf("x^2 + y^2 = r^2\n", TextFormat::Tex);
  EXPECT_EQ(failure.line, 0);
  EXPECT_EQ(failure.message,
            u"Not a Kav document: line 1 of the file is not a formula line: \"x^2 + y^2 = r^2\"");
}

}  // namespace
}  // namespace kav
