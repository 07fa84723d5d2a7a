#pragma once

#include <vector>

#include "platform/graphics/bitmap.h"
#include "platform/graphics/pixel_source.h"

namespace graphics {

// Where a nearest-neighbour stretch of `source` onto `dest` lands inside a target of
// `targetSize`, and which source pixels it needs for that. Destination pixel (x, y) takes
// source pixel (source.left + (x - dest.left) * source.width / dest.width, likewise for y),
// rounded down. Non-positive extents draw nothing.
struct StretchPlan {
  Rect visibleDest;  // the destination clipped to the target; empty: nothing to draw
  Rect sourceSpan;   // the source pixels that land in visibleDest, possibly off the source
};

StretchPlan planStretch(const Rect& dest, const Rect& source, Size targetSize);

// Reusable scratch space so that a repeated copy allocates nothing once sizes settle.
struct StretchScratch {
  std::vector<int> columns;
};

// Copies `source` (in the source's coordinates) onto `dest` (in the target's), clipped at the
// target's edges. Reads only plan.sourceSpan ∩ source.bounds(), in one read; source pixels
// outside the source's bounds come out black. An error the read throws passes, leaving the
// target untouched.
void stretchCopy(PixelRows target, const Rect& dest, PixelSource& source, const Rect& sourceRect,
                 StretchScratch& scratch);

}  // namespace graphics
