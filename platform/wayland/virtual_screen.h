#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/graphics/bitmap.h"

namespace wayland {

// The order of a frame's colour bytes in memory; the fourth byte is padding or alpha.
enum class ChannelOrder {
  Bgr,  // BGRx, BGRA: the program's own 0x00RRGGBB in memory
  Rgb,  // RGBx, RGBA
};

// One shared monitor's latest frame, placed where the compositor puts the monitor.
struct MonitorFrame {
  graphics::Rect place;               // in screen pixels; the frame's size
  const std::byte* pixels = nullptr;  // null: no frame yet
  std::ptrdiff_t strideBytes = 0;
  ChannelOrder order = ChannelOrder::Bgr;
};

// The screen as the shared monitors make it: their frames side by side, each at its place.
// Pixels that no monitor covers read black.
class VirtualScreen {
 public:
  // The smallest rectangle around every monitor.
  static graphics::Rect boundsOf(std::span<const MonitorFrame> monitors);

  // The pixels of `area`. Straight from the frame, not copied, when one frame in the program's
  // own byte order covers it all; put together in memory of this object's otherwise. Valid
  // until the next read or until a frame changes. A monitor without a frame under the area
  // gives nothing: the screen cannot be read there yet.
  std::optional<graphics::PixelView> read(std::span<const MonitorFrame> monitors,
                                          const graphics::Rect& area);

 private:
  std::vector<graphics::Pixel> composed_;
};

}  // namespace wayland
