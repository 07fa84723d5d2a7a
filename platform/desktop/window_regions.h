#pragma once

#include <cstdint>

#include "platform/desktop/handles.h"
#include "platform/graphics/region.h"

namespace platform {

// Cutting a window to an elliptic outline.
class WindowRegions {
 public:
  virtual ~WindowRegions() = default;

  virtual Hrgn CreateEllipticRgn(std::int32_t left, std::int32_t top, std::int32_t right,
                                 std::int32_t bottom) = 0;
  // The window takes the region (0: its full rectangle) and owns it from then on.
  virtual std::int32_t SetWindowRgn(Hwnd window, Hrgn region, std::int32_t redraw) = 0;

  // A window of the program's (a picture box's) gets its handle here, for as long as the
  // registration lives.
  virtual HandleTable<graphics::RegionTarget>::Registration registerWindow(
      graphics::RegionTarget& window) = 0;
};

}  // namespace platform
