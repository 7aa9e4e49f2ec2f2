// The document path named on the command line.
#pragma once
#include <string>
#include <string_view>

namespace kav {

struct StartupPath {
  std::u16string path;     // empty when none was given or it was refused
  std::u16string refusal;  // why the command line was not taken as a path, empty if it was
};

// The whole command line is one path (no splitting into arguments); blanks and one pair of
// surrounding quotes are removed, so a path with spaces works quoted or not.
StartupPath PathFromCommandLine(std::u16string_view commandLine);

}  // namespace kav
