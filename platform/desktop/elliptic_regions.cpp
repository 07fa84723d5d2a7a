#include "platform/desktop/elliptic_regions.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace platform {

Hrgn EllipticRegions::CreateEllipticRgn(std::int32_t left, std::int32_t top, std::int32_t right,
                                        std::int32_t bottom) {
  // Corners may come in either order; the ellipse is the same.
  const graphics::Rect bounds{std::min(left, right), std::min(top, bottom), std::abs(right - left),
                              std::abs(bottom - top)};
  const Hrgn handle = nextRegion_++;
  regions_[handle] = {bounds};
  return handle;
}

std::int32_t EllipticRegions::SetWindowRgn(Hwnd window, Hrgn region, std::int32_t redraw) {
  graphics::RegionTarget* target = windows_.find(window);
  if (target == nullptr) return 0;
  std::optional<graphics::EllipseRegion> outline;
  if (const auto found = regions_.find(region); found != regions_.end()) {
    outline = found->second;
    regions_.erase(found);  // the window owns it now
  }
  target->setWindowRegion(outline, redraw != 0);
  return 1;
}

HandleTable<graphics::RegionTarget>::Registration EllipticRegions::registerWindow(
    graphics::RegionTarget& window) {
  return windows_.add(window);
}

}  // namespace platform
