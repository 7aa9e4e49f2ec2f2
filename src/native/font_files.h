// Where the font files the native back end draws with live on this machine.
#pragma once
#include <string>

namespace kav {

struct FontFiles {
  std::string italic;  // CMU Serif Italic (cmunti.ttf)
  std::string roman;   // CMU Serif Roman (cmunrm.ttf); the bold face is this one emboldened
  std::string math;    // Latin Modern Math (latinmodern-math.otf): math and symbol faces
};

// The files found when the build was configured. Throws a Failure naming the first file that is
// no longer readable, with the package that provides it.
FontFiles InstalledFontFiles();

}  // namespace kav
