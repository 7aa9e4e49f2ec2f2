// The one door to the Win32 headers. Everything under src/app includes this instead of
// <windows.h>, so the macros that clash with ordinary names are removed in one place.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef UNICODE
#define UNICODE
#endif

#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <objidl.h>
#include <shellapi.h>
// GDI+ expects min and max as templates in scope when NOMINMAX hides the macros.
#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

#undef near
#undef far
#undef small
#undef DrawText
#undef GetObject
#undef LoadImage
#undef CreateFont
#undef DELETE
#undef ERROR
#undef IN
#undef OUT
#undef OPTIONAL
