// GDI+ for the life of the program: started before any window exists, shut down after the loop.
#pragma once
#include "app/win32.h"

namespace kav {

class GdiplusSession {
 public:
  GdiplusSession() {
    Gdiplus::GdiplusStartupInput input;  // version 1, no debug callback, background thread on
    started = Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
  }
  ~GdiplusSession() {
    if (started) Gdiplus::GdiplusShutdown(token);
  }
  GdiplusSession(const GdiplusSession&) = delete;
  GdiplusSession& operator=(const GdiplusSession&) = delete;

  bool Started() const { return started; }

 private:
  ULONG_PTR token = 0;
  bool started = false;
};

}  // namespace kav
