#pragma once

#include <array>
#include <cstdint>

#include "platform/graphics/bitmap.h"
#include "platform/x11/display_type.h"

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

// The part of `visible` (a part of `dest`) whose pixels the portable copy takes from inside
// `bounds` of the source. Composited alone, it lets the server copy without looking for the
// source's edges pixel by pixel; the rest is black.
graphics::Rect insideSource(const graphics::Rect& visible, const graphics::Rect& dest,
                            const graphics::Rect& source, const graphics::Rect& bounds);

// Whether every coordinate of a source span fits the transform's 16.16 numbers.
bool fitsFixedPoint(const graphics::Rect& sourceSpan);

// Draws `visible` (a part of the destination from (0, 0) onwards) of the stretch of `source`
// (a nearest-filtered RENDER picture whose pixels fill `bounds`) from (sourceLeft, sourceTop)
// by the ratios, through stretchMatrix(x, y, extent, ...), into `target`: what lies inside
// `bounds` by one composite that never leaves them, the rest black.
struct RenderStretch {
  StretchRatio x;
  StretchRatio y;
  graphics::Size extent;
  int sourceLeft = 0;
  int sourceTop = 0;
};
void compositeStretch(_XDisplay* display, unsigned long source, const graphics::Rect& bounds,
                      const RenderStretch& stretch, unsigned long target,
                      const graphics::Rect& visible);

}  // namespace x11
