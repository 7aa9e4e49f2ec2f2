#include "app/integral_images.h"

#include <cstring>

#include "app/resource_ids.h"

namespace kav {
namespace {

// GDI+ decodes from a stream; the stream owns a movable copy of the resource bytes and frees it
// when released.
IStream* StreamOfResource(HINSTANCE instance, int id) {
  HRSRC info = FindResourceW(instance, MAKEINTRESOURCEW(id), L"PNG");
  HGLOBAL loaded = info != nullptr ? LoadResource(instance, info) : nullptr;
  const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (data == nullptr) return nullptr;
  const DWORD size = SizeofResource(instance, info);
  HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
  if (copy == nullptr) return nullptr;
  void* target = GlobalLock(copy);
  if (target == nullptr) {
    GlobalFree(copy);
    return nullptr;
  }
  std::memcpy(target, data, size);
  GlobalUnlock(copy);
  IStream* stream = nullptr;
  if (CreateStreamOnHGlobal(copy, TRUE, &stream) != S_OK) {
    GlobalFree(copy);
    return nullptr;
  }
  return stream;
}

std::unique_ptr<Gdiplus::Image> DecodeImage(HINSTANCE instance, int id) {
  IStream* stream = StreamOfResource(instance, id);
  if (stream == nullptr) return nullptr;
  auto image = std::make_unique<Gdiplus::Image>(stream);
  stream->Release();  // the image holds its own reference while it needs the bytes
  if (image->GetLastStatus() != Gdiplus::Ok) return nullptr;
  return image;
}

}  // namespace

void IntegralImages::Load(HINSTANCE instance) {
  images[0] = DecodeImage(instance, IDR_INTEGRAL_BLACK);
  images[1] = DecodeImage(instance, IDR_INTEGRAL_GREEN);
  images[2] = DecodeImage(instance, IDR_INTEGRAL_RED);
}

Gdiplus::Image* IntegralImages::Image(IntegralInk ink) const {
  switch (ink) {
    case IntegralInk::Black: return images[0].get();
    case IntegralInk::Green: return images[1].get();
    case IntegralInk::Red: return images[2].get();
  }
  return nullptr;
}

}  // namespace kav
