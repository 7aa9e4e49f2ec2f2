// The open document: its lines in display order, the current line, the modified flag and path.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "model/line.h"

namespace kav {

// The path is limited as the window-side buffer is: at most 999 UTF-16 units.
inline constexpr size_t kMaxPathUnits = 999;

struct Document {
  std::vector<EquationLine> lines;
  int32_t currentLine = 0;
  bool modified = false;
  std::u16string path;

  EquationLine& Current() { return lines[currentLine]; }
  const EquationLine& Current() const { return lines[currentLine]; }
};

}  // namespace kav
