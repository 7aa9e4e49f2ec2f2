// Which style each letter carries in the document, so that a newly typed letter takes the style
// that this letter has most often. Rows are letters (a-z 1-26, A-Z 27-52, Greek 53 on, anything
// else 0); columns are base face times 5 plus accent.
//
// The counts that choose styles are those of the document at the last commit. They are kept as
// per-line shares, so a commit recounts only the line it changed.
#pragma once
#include <array>
#include <cstdint>
#include <utility>
#include <vector>

#include "model/line.h"

namespace kav {

inline constexpr int32_t kStyleRows = 100;
inline constexpr int32_t kStyleColumns = 20;

int32_t StyleRowOf(SymbolCode c);
int32_t StyleColumnOf(StyleFlags style);
// The style a column stands for (red is never counted, so never given).
StyleFlags StyleOfColumn(int32_t column);

// One line's share: (row * kStyleColumns + column, amount) for every cell it touches, by cell.
using StyleCounts = std::vector<std::pair<int32_t, int32_t>>;
StyleCounts CountLineStyles(const EquationTree& tree);

class StyleStatistics {
 public:
  int32_t Count(int32_t row, int32_t column) const {
    return published_[row * kStyleColumns + column];
  }
  // The first column with the greatest count (column 0 for an all-zero row).
  int32_t ChosenColumn(int32_t row) const;
  // The style a newly typed symbol with this code takes (0 for codes without a row).
  StyleFlags StyleFor(SymbolCode c) const;

  // Keeping the per-line shares in step with the document's lines.
  void Recount(const std::vector<EquationLine>& lines);
  void LineInserted(int32_t index, const EquationLine& line);
  void LineRemoved(int32_t index);
  void LineChanged(int32_t index, const EquationLine& line);
  int32_t LineCount() const { return static_cast<int32_t>(shares_.size()); }

  // The counts of the lines as they now stand become the ones that choose styles.
  void Publish() { published_ = live_; }

 private:
  void Add(const StyleCounts& counts, int32_t sign);

  std::array<int32_t, kStyleRows * kStyleColumns> published_{};
  std::array<int32_t, kStyleRows * kStyleColumns> live_{};
  std::vector<StyleCounts> shares_;
};

}  // namespace kav
