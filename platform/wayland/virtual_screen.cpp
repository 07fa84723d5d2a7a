#include "platform/wayland/virtual_screen.h"

#include <algorithm>
#include <cstring>

namespace wayland {
namespace {

// 0x00RRGGBB from bytes R, G, B, x in memory.
graphics::Pixel fromRgbx(graphics::Pixel value) {
  return ((value & 0xFFU) << 16) | (value & 0xFF00U) | ((value >> 16) & 0xFFU);
}

const graphics::Pixel* rowOf(const MonitorFrame& monitor, int y) {
  return reinterpret_cast<const graphics::Pixel*>(monitor.pixels + y * monitor.strideBytes);
}

}  // namespace

graphics::Rect VirtualScreen::boundsOf(std::span<const MonitorFrame> monitors) {
  if (monitors.empty()) return {};
  int left = monitors.front().place.left;
  int top = monitors.front().place.top;
  int right = monitors.front().place.right();
  int bottom = monitors.front().place.bottom();
  for (const MonitorFrame& monitor : monitors) {
    left = std::min(left, monitor.place.left);
    top = std::min(top, monitor.place.top);
    right = std::max(right, monitor.place.right());
    bottom = std::max(bottom, monitor.place.bottom());
  }
  return {left, top, right - left, bottom - top};
}

std::optional<graphics::PixelView> VirtualScreen::read(std::span<const MonitorFrame> monitors,
                                                       const graphics::Rect& area) {
  for (const MonitorFrame& monitor : monitors) {
    if (monitor.pixels == nullptr && !graphics::intersect(monitor.place, area).empty()) {
      return std::nullopt;
    }
  }
  // The live view's usual case: one monitor, the compositor's usual byte order. The padding
  // byte is whatever the compositor left there; nothing reads it.
  for (const MonitorFrame& monitor : monitors) {
    if (monitor.order == ChannelOrder::Bgr && graphics::intersect(monitor.place, area) == area) {
      const graphics::Pixel* first =
          rowOf(monitor, area.top - monitor.place.top) + (area.left - monitor.place.left);
      return graphics::PixelView{
          first, monitor.strideBytes / static_cast<std::ptrdiff_t>(sizeof(graphics::Pixel)),
          area.width, area.height};
    }
  }
  const std::size_t width = static_cast<std::size_t>(area.width);
  composed_.assign(width * static_cast<std::size_t>(area.height), graphics::kBlack);
  for (const MonitorFrame& monitor : monitors) {
    const graphics::Rect part = graphics::intersect(monitor.place, area);
    if (part.empty()) continue;
    for (int y = part.top; y < part.bottom(); ++y) {
      const graphics::Pixel* from =
          rowOf(monitor, y - monitor.place.top) + (part.left - monitor.place.left);
      graphics::Pixel* to = composed_.data() + static_cast<std::size_t>(y - area.top) * width +
                            (part.left - area.left);
      if (monitor.order == ChannelOrder::Bgr) {
        std::memcpy(to, from, static_cast<std::size_t>(part.width) * sizeof(graphics::Pixel));
      } else {
        std::transform(from, from + part.width, to, fromRgbx);
      }
    }
  }
  return graphics::PixelView{composed_.data(), area.width, area.width, area.height};
}

}  // namespace wayland
