#include "tests/support/headless_picture.h"

#include "tests/support/ellipse_hit.h"

namespace headless {

void Picture::setRegion(const std::optional<graphics::EllipseRegion>& region, bool redraw) {
  region_ = region;
  redrawAsked_ = redraw;
}

Widget& Picture::clickAt(int x, int y) {
  requireOnScreen("click");
  Widget* target = childAt(x, y);
  if (target == nullptr) target = this;
  target->click();
  return *target;
}

Widget* Picture::widgetAt(int x, int y) {
  if (Widget::widgetAt(x, y) == nullptr) return nullptr;
  // Like a window region, the outline cuts the box and everything inside it.
  if (region_ && !ellipseContains(region_->bounds, x, y)) return nullptr;
  Widget* child = childAt(x, y);
  return child != nullptr ? child : this;
}

Widget* Picture::childAt(int x, int y) const {
  for (Widget* child : children()) {
    const graphics::Rect& place = child->geometry();
    if (Widget* hit = child->widgetAt(x - place.left, y - place.top)) return hit;
  }
  return nullptr;
}

}  // namespace headless
