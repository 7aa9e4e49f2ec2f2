// The LaTeX reader's parser: tokens in, one equation tree per formula, written out as markup.
// Everything it cannot hold is refused by name with its place in the text; every recursion is
// bounded by a nesting count.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "import/latex_lexer.h"
#include "import/latex_tree.h"
#include "model/symbols.h"

namespace kav {

// Face and colour in force: they reach every symbol read while they hold.
struct LatexStyle {
  StyleFlags face = 0;
  bool red = false;
};

// A row being filled: the Group node that takes the items, whether it is a formula's top level
// (where "&" and row breaks may stand) and which scripts follow its last base.
struct LatexRow {
  int32_t group = -1;
  bool top = false;
  uint8_t scripts = 0;
  int32_t pendingOperator = -1;  // a big operator still taking limits; `scripts` are its limits
};

class LatexParser {
 public:
  explicit LatexParser(std::u16string_view text);
  // The markup of every formula, in order; a parser reads its text once. Throws the reader's
  // "LaTeX: ..." failure texts.
  std::vector<std::u16string> ReadAll();

 private:
  struct Closer {
    std::u16string text;  // "$", "$$", "\\)", "\\]", "{environment}", or empty
    bool environment = false;
    int32_t openedAt = 0;
  };
  // Counts one level of nesting for as long as it lives.
  class Level {
   public:
    Level(int32_t& depth, int32_t limit, const LatexParser& parser, const LatexToken& at,
          std::u16string_view what);
    ~Level() { --depth_; }
    Level(const Level&) = delete;
    Level& operator=(const Level&) = delete;

   private:
    int32_t& depth_;
  };

  // Formulas and their delimiters (latex_formulas.cpp).
  bool HasDelimiters() const;
  Closer ReadOpener();
  void ReadRows(const Closer& closer);
  bool ConsumeCloser(const Closer& closer);
  void SkipRowSpacing();
  void StartFormula();
  void FinishFormula();
  std::u16string EnvironmentNameAt(size_t index, size_t* after) const;

  // Items of a row (latex_parser.cpp).
  void ParseItems(LatexRow& row, LatexStyle style);
  bool AtItemsEnd(const LatexRow& row) const;
  void ParseItem(LatexRow& row, LatexStyle& style);
  void ParseCharacter(LatexRow& row, const LatexStyle& style, const LatexToken& token);
  void ParseCommand(LatexRow& row, LatexStyle& style, const LatexToken& token);
  void ParseBraceGroup(LatexRow& row, const LatexStyle& style);
  void ParseArgument(int32_t group, const LatexStyle& style, const LatexToken& owner);
  void ParseFlatArgument(LatexRow& row, const LatexStyle& style, const LatexToken& owner);
  void ParseScript(LatexRow& row, const LatexStyle& style, const LatexToken& token);
  int32_t ReadDegreeScript();
  void ParseBigOperator(LatexRow& row, const LatexStyle& style, SymbolCode code,
                        const LatexToken& token);
  void ParseStructure(LatexRow& row, const LatexStyle& style, SymbolCode code,
                      const LatexToken& token);
  void ParseAccent(LatexRow& row, const LatexStyle& style, StyleFlags bit, const LatexToken& token);
  void ParseText(LatexRow& row, const LatexStyle& style, StyleFlags face, const LatexToken& token);
  bool ReadColourIsRed(const LatexToken& token);
  void ParseDelimiter(LatexRow& row, const LatexStyle& style, const LatexToken& token);
  void ParseBegin(const LatexRow& row, const LatexToken& token);
  void ParseEnd(const LatexRow& row, const LatexToken& token);
  std::u16string ReadBracedWord(const LatexToken& owner);
  void AddSymbol(LatexRow& row, SymbolCode code, const LatexStyle& style);
  int32_t AddItem(LatexRow& row, SymbolCode code, StyleFlags style);
  void CloseOperator(LatexRow& row);
  void TakeOverOperator(LatexRow& row, const LatexRow& inner);

  // Tokens.
  const LatexToken& Peek() const { return tokens_[pos_]; }
  const LatexToken& Next();
  void SkipBlanks(bool lineBreaks);
  bool LineBreakIsBlank(const LatexRow& row) const;

  // Failures.
  std::u16string Place(int32_t offset) const;
  [[noreturn]] void Refuse(std::u16string_view construct, const LatexToken& at) const;
  [[noreturn]] void Malformed(std::u16string_view what, int32_t offset) const;
  std::u16string Spelling(const LatexToken& token) const;

  std::u16string_view text_;
  std::vector<LatexToken> tokens_;
  size_t pos_ = 0;
  bool delimited_ = false;
  std::vector<std::u16string> environments_;
  int32_t groupDepth_ = 0;
  int32_t structureDepth_ = 0;
  bool formulaHasContent_ = false;
  LatexTree tree_;
  std::vector<std::u16string> markups_;
};

}  // namespace kav
