#include "tests/support/ellipse_hit.h"

namespace headless {

bool ellipseContains(const graphics::Rect& bounds, int x, int y) {
  if (bounds.empty()) return false;
  const double radiusX = bounds.width / 2.0;
  const double radiusY = bounds.height / 2.0;
  const double dx = (x + 0.5 - bounds.left - radiusX) / radiusX;
  const double dy = (y + 0.5 - bounds.top - radiusY) / radiusY;
  return dx * dx + dy * dy <= 1.0;
}

}  // namespace headless
