// One line of a document: its markup (the line's value), the tree read from it, the boxes the
// layout drew from the tree, the caret and the per-box selection marks.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "model/export_buffer.h"
#include "model/symbols.h"
#include "model/tree.h"

namespace kav {

// Structures inside structures. Real formulas nest a handful of levels; the limit keeps every
// recursive walk of a tree (reader, writer, layout, exporters) far from the end of the stack,
// whatever a file or the clipboard holds. The reader refuses deeper text and editing never
// builds it.
inline constexpr int32_t kMaxStructureNesting = 100;

struct Token {
  SymbolCode code = 0;
  StyleFlags flags = 0;
};

// One drawn element of a laid-out line. Line codes (ThickLine, ThinLine) use x2/y2 as the end
// point; text boxes use width/height as their extent, and x2 for where an accent over the glyph
// is centred, from the box's left edge, when y2 is 1; a MathGlyph box holds its glyph in x2.
struct LayoutBox {
  SymbolCode code = 0;
  int32_t x = 0;
  int32_t y = 0;
  int32_t x2 = 0;
  int32_t y2 = 0;
  int32_t width = 0;
  int32_t height = 0;
  StyleFlags style = 0;
  uint32_t size = 0;
  int32_t node = -1;
};

// The caret stands in a Group row (`node`) before the child at `position`.
struct Caret {
  int32_t node = -1;
  int32_t position = -1;
};

struct LineSelection {
  std::vector<bool> marks;  // one per layout box
};

class EquationLine;

// The seam through which typesetting lays a line out after it is read. The model knows only
// that a line can be laid out; the typesetting layer supplies how.
class LineLayouter {
 public:
  virtual ~LineLayouter() = default;
  virtual void Layout(EquationLine& line) const = 0;
};

class EquationLine {
 public:
  std::vector<Token> tokens;
  int32_t tokenCursor = 0;
  std::u16string markup;
  EquationTree tree;
  std::vector<LayoutBox> boxes;
  Caret caret;
  LineSelection selection;
  const LineLayouter* layouter = nullptr;

  EquationLine() = default;
  explicit EquationLine(std::u16string text, const LineLayouter* lineLayouter = nullptr);
  // A copy is rebuilt from the source's markup only: tree, boxes and tokens are never copied.
  EquationLine(const EquationLine& other);
  EquationLine& operator=(const EquationLine& other);
  EquationLine(EquationLine&&) noexcept = default;
  EquationLine& operator=(EquationLine&&) noexcept = default;

  // Cuts the markup into tokens. Throws the reader's failure texts.
  void Tokenize();
  // Builds the tree from the tokens (the caller clears the tree and resets the cursor).
  void Parse();
  void InsertPlaceholders();
  // Rewrites the markup from the tree.
  void Serialize(ExportTextBuffer& buffer);
  // Writes the wholly selected subtrees under `node` into the buffer without clearing it.
  void SerializeSelection(int32_t node, ExportTextBuffer& buffer) const;
  // Tokenize, parse, restore placeholders and lay out; the tokens are released once parsed.
  // Caret and selection are left alone.
  void Reparse();
  void Layout();

 private:
  void ParseGroup(int32_t parent);
  void ParseArgument(int32_t parent);
  void ParseElement(int32_t parent);
  void Expect(SymbolCode code);
  SymbolCode Current() const;
  void PlaceholderPass(int32_t node);
};

// Writes the subtree at `node` as markup (nothing for a negative node).
void WriteMarkupNode(const EquationTree& tree, int32_t node, ExportTextBuffer& buffer);

}  // namespace kav
