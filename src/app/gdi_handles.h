// Owners for the Win32 handles the drawing code makes: every handle is released by exactly one
// object, also when a failure unwinds through the code that made it.
#pragma once
#include <utility>

#include "app/win32.h"

namespace kav {

// A pen, brush, font or bitmap, deleted with its owner.
template <typename Handle>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(Handle handle) : handle(handle) {}
  ~GdiObject() { Reset(); }
  GdiObject(GdiObject&& other) noexcept : handle(std::exchange(other.handle, nullptr)) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    if (this != &other) {
      Reset();
      handle = std::exchange(other.handle, nullptr);
    }
    return *this;
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;

  Handle Get() const { return handle; }
  // Gives the handle up to a new owner (the clipboard) without deleting it.
  Handle Release() { return std::exchange(handle, nullptr); }
  void Reset() {
    if (handle != nullptr) DeleteObject(handle);
    handle = nullptr;
  }

 private:
  Handle handle = nullptr;
};

// An icon loaded for one window (not shared), destroyed with its owner.
class OwnedIcon {
 public:
  OwnedIcon() = default;
  explicit OwnedIcon(HICON icon) : icon(icon) {}
  ~OwnedIcon() {
    if (icon != nullptr) DestroyIcon(icon);
  }
  OwnedIcon(OwnedIcon&& other) noexcept : icon(std::exchange(other.icon, nullptr)) {}
  OwnedIcon& operator=(OwnedIcon&& other) noexcept {
    if (this != &other) {
      if (icon != nullptr) DestroyIcon(icon);
      icon = std::exchange(other.icon, nullptr);
    }
    return *this;
  }
  OwnedIcon(const OwnedIcon&) = delete;
  OwnedIcon& operator=(const OwnedIcon&) = delete;
  HICON Get() const { return icon; }

 private:
  HICON icon = nullptr;
};

// The device context of a window's client area, for measuring.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window(window), dc(GetDC(window)) {}
  ~WindowDc() {
    if (dc != nullptr) ReleaseDC(window, dc);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC Get() const { return dc; }

 private:
  HWND window;
  HDC dc;
};

// A memory device context compatible with another.
class MemoryDc {
 public:
  explicit MemoryDc(HDC compatible) : dc(CreateCompatibleDC(compatible)) {}
  ~MemoryDc() {
    if (dc != nullptr) DeleteDC(dc);
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  HDC Get() const { return dc; }

 private:
  HDC dc;
};

// Selects an object into a device context and puts the previous one back.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc(dc), previous(SelectObject(dc, object)) {}
  ~SelectedObject() {
    if (previous != nullptr && previous != HGDI_ERROR) SelectObject(dc, previous);
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc;
  HGDIOBJ previous;
};

// Saves a device context's state (clip region, selected objects) and restores it when done.
class SavedDcState {
 public:
  explicit SavedDcState(HDC dc) : dc(dc), saved(SaveDC(dc)) {}
  ~SavedDcState() {
    if (saved != 0) RestoreDC(dc, saved);
  }
  SavedDcState(const SavedDcState&) = delete;
  SavedDcState& operator=(const SavedDcState&) = delete;

 private:
  HDC dc;
  int saved;
};

}  // namespace kav
