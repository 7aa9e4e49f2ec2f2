#include "native/font_files.h"

#include <fstream>

#include "base/failure.h"
#include "base/utf.h"

namespace kav {
namespace {

void RequireReadable(const std::string& path, const char* package) {
  if (std::ifstream(path, std::ios::binary).good()) return;
  Fail(u"Font file not found: " + Ascii16(path) + u" (install " + Ascii16(package) + u")");
}

}  // namespace

FontFiles InstalledFontFiles() {
  FontFiles files{KAV_FONT_CMU_ITALIC, KAV_FONT_CMU_ROMAN, KAV_FONT_LM_MATH};
  RequireReadable(files.italic, "fonts-cmu");
  RequireReadable(files.roman, "fonts-cmu");
  RequireReadable(files.math, "fonts-lmodern");
  return files;
}

}  // namespace kav
