#pragma once

#include <cstdint>

#include "platform/desktop/handles.h"
#include "platform/graphics/device_context.h"

namespace platform {

// The plain source copy, the only raster operation the program uses. Windows' headers have
// a macro of this name and value, which would turn this into nonsense where they come first.
#ifdef SRCCOPY
#undef SRCCOPY
#endif
constexpr std::uint32_t SRCCOPY = 0xCC0020;

// Device contexts and the stretching copy: from the screen into a picture box's backing image.
class ScreenCopy {
 public:
  virtual ~ScreenCopy() = default;

  // Window 0: the whole screen, usable as a copy source. 0 when it cannot be had. Throws
  // forms::NotReady when the screen cannot be read just now (no picture of it has come yet).
  virtual Hdc GetDC(Hwnd window) = 0;
  virtual std::int32_t ReleaseDC(Hwnd window, Hdc dc) = 0;
  // Nearest-neighbour stretch of the source rectangle onto the destination rectangle, clipped
  // at the destination's edges. Throws RuntimeError when the screen cannot be read.
  virtual std::int32_t StretchBlt(Hdc dest, std::int32_t x, std::int32_t y, std::int32_t width,
                                  std::int32_t height, Hdc source, std::int32_t sourceX,
                                  std::int32_t sourceY, std::int32_t sourceWidth,
                                  std::int32_t sourceHeight, std::uint32_t rasterOp) = 0;

  // Reads `area` of the screen now: copies from `screenDc` get those pixels as they were, until
  // the DC is released. The rest of the screen reads as it is at the copy.
  virtual void holdScreenArea(Hdc screenDc, const graphics::Rect& area) = 0;

  // A device context of the program's (a picture box's) gets its handle here, for as long as
  // the registration lives.
  virtual HandleTable<graphics::DeviceContext>::Registration registerDeviceContext(
      graphics::DeviceContext& context) = 0;
};

}  // namespace platform
