#pragma once

#include <array>
#include <cstdint>

#include "platform/graphics/bitmap.h"

namespace x11 {

// Source pixels per destination pixel along one axis, in lowest terms.
struct StretchRatio {
  std::int64_t source = 1;
  std::int64_t dest = 1;
  bool operator==(const StretchRatio&) const = default;
};
StretchRatio ratioOf(int sourceExtent, int destExtent);

// A RENDER transform (16.16 fixed point, destination to source) that makes a nearest-filtered
// composite from destination (0, 0) onwards take the source pixels of the portable stretching
// copy: destination x takes source left + floor(x * ratio). RENDER samples at pixel centres,
// so each centre is sent to the middle of the run of source positions that round down to the
// wanted pixel; the scale's rounding to 16.16 is spread evenly over `extent`, the largest
// destination it serves. Moving the source by whole pixels moves the sampling by exactly as
// much, so one check of a ratio holds for every source position.
using RenderMatrix = std::array<std::array<std::int32_t, 3>, 3>;
RenderMatrix stretchMatrix(StretchRatio x, StretchRatio y, graphics::Size extent, int sourceLeft,
                           int sourceTop);

// Whether every coordinate of a source span fits the transform's 16.16 numbers.
bool fitsFixedPoint(const graphics::Rect& sourceSpan);

}  // namespace x11
