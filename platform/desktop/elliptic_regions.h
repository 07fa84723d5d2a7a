#pragma once

#include <unordered_map>

#include "platform/desktop/window_regions.h"

namespace platform {

// Elliptic regions handed to the program's windows, shared by the real desktops and the fake.
class EllipticRegions final : public WindowRegions {
 public:
  Hrgn CreateEllipticRgn(std::int32_t left, std::int32_t top, std::int32_t right,
                         std::int32_t bottom) override;
  std::int32_t SetWindowRgn(Hwnd window, Hrgn region, std::int32_t redraw) override;
  HandleTable<graphics::RegionTarget>::Registration registerWindow(
      graphics::RegionTarget& window) override;

  // Regions made and not yet handed to a window.
  std::size_t unownedRegions() const { return regions_.size(); }

 private:
  HandleTable<graphics::RegionTarget> windows_;
  Hrgn nextRegion_ = 1;
  std::unordered_map<Hrgn, graphics::EllipseRegion> regions_;
};

}  // namespace platform
