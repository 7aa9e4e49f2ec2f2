// Reads the file-type box of the program's open or save dialog, as the user sees its choices.
#pragma once
#include <string>

namespace kavprobe {

// The items of the file-type box of the dialog titled `title`, one a line in order, the chosen
// one after a "*"; an empty text when there is no such dialog or box.
std::u16string FileTypesOfDialog(const std::wstring& title);

}  // namespace kavprobe
