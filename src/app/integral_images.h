// The integral sign in its three inks, decoded once from the executable's PNG resources.
#pragma once
#include <array>
#include <memory>

#include "app/win32.h"
#include "platform/canvas.h"

namespace kav {

class IntegralImages {
 public:
  // Decodes resources 106, 107 and 108. An image that cannot be decoded draws nothing.
  void Load(HINSTANCE instance);
  // The image of an ink, or null when it could not be decoded.
  Gdiplus::Image* Image(IntegralInk ink) const;

 private:
  std::array<std::unique_ptr<Gdiplus::Image>, 3> images;
};

}  // namespace kav
