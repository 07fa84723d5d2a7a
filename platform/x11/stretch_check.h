#pragma once

#include "platform/graphics/bitmap.h"
#include "platform/x11/connection.h"
#include "platform/x11/render_stretch.h"

namespace x11 {

// Asks the server itself whether its nearest-filtered RENDER composite, through the very
// transform of stretchMatrix(), takes exactly the source pixels of the portable stretching
// copy over a destination of `extent` (the screen's size): it stretches a ramp (every pixel
// holding its own position) and compares what comes back. How the server computes (pixman's
// fixed point, a GPU's floats) is its own business; only the result counts.
bool serverStretchesExactly(const Connection& connection, StretchRatio x, StretchRatio y,
                            graphics::Size extent);

}  // namespace x11
