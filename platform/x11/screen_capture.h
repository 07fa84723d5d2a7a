#pragma once

#include <cstddef>

#include "platform/graphics/bitmap.h"

namespace x11 {

// Pixels just read from the server, in memory the capture owns and lets the reader touch up.
struct CapturedPixels {
  graphics::Pixel* pixels = nullptr;  // null: the read failed
  std::ptrdiff_t stride = 0;          // in pixels
  int width = 0;
  int height = 0;
};

// One way of fetching a rectangle of the root window's pixels, 32 bits each.
class ScreenCapture {
 public:
  virtual ~ScreenCapture() = default;
  // `area` lies on the screen. The pixels stay valid until the next read.
  virtual CapturedPixels read(const graphics::Rect& area) = 0;
};

}  // namespace x11
