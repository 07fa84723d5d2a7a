#pragma once

#include "platform/graphics/pixel_source.h"
#include "platform/win32/handles.h"

namespace win32 {

// The screen as a pixel source: the virtual screen, every monitor, in its own coordinates
// (monitors left of or above the primary one lie at negative ones), read as the user sees it,
// layered windows included. Each read copies just the asked area into one top-down 32-bit DIB
// section, kept from read to read and grown only when an area does not fit. A read that
// cannot be done (no screen to read, the secure desktop up) throws forms::RuntimeError.
class ScreenReader final : public graphics::PixelSource {
 public:
  ScreenReader();

  // Asked of the system at every call: monitors come and go.
  graphics::Rect bounds() const override;
  graphics::PixelView read(const graphics::Rect& area) override;

 private:
  void reserve(int width, int height);

  DibSection section_;  // before the DC that holds it, so that it goes after
  MemoryDc memory_;
  graphics::Pixel* pixels_ = nullptr;
  graphics::Size capacity_;
};

}  // namespace win32
