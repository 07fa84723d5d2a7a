#pragma once

#include <optional>

#include "platform/graphics/bitmap.h"

namespace graphics {

// A window outline: the ellipse inscribed in `bounds` (pixels, relative to the window).
struct EllipseRegion {
  Rect bounds;
  bool operator==(const EllipseRegion&) const = default;
};

// A window that can be cut to a region. No region: its full rectangle.
class RegionTarget {
 public:
  virtual ~RegionTarget() = default;
  virtual void setWindowRegion(const std::optional<EllipseRegion>& region, bool redraw) = 0;
};

}  // namespace graphics
