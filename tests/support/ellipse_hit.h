#pragma once

#include "platform/graphics/bitmap.h"

namespace headless {

// Whether pixel (x, y) belongs to the ellipse inscribed in `bounds`: its centre lies inside or
// on the ellipse. An empty rectangle holds no pixel.
bool ellipseContains(const graphics::Rect& bounds, int x, int y);

}  // namespace headless
