#include "platform/x11/render_stretch.h"

#include <cmath>
#include <numeric>

namespace x11 {
namespace {

constexpr std::int64_t kOne = 1 << 16;
constexpr int kLargestCoordinate = 32767;

std::int32_t scaleOf(StretchRatio ratio) {
  return static_cast<std::int32_t>((2 * ratio.source * kOne + ratio.dest) / (2 * ratio.dest));
}

// Where the centre of destination pixel 0 lands beyond the source's left edge, in 16.16.
std::int32_t offsetOf(StretchRatio ratio, int extent) {
  const double exact = static_cast<double>(ratio.source) / static_cast<double>(ratio.dest);
  const double scale = static_cast<double>(scaleOf(ratio)) / kOne;
  const double offset =
      1.0 / (2.0 * static_cast<double>(ratio.dest)) - scale / 2.0 - (scale - exact) * extent / 2.0;
  return static_cast<std::int32_t>(std::lround(offset * kOne));
}

}  // namespace

StretchRatio ratioOf(int sourceExtent, int destExtent) {
  const std::int64_t common = std::gcd(sourceExtent, destExtent);
  return {sourceExtent / common, destExtent / common};
}

RenderMatrix stretchMatrix(StretchRatio x, StretchRatio y, graphics::Size extent, int sourceLeft,
                           int sourceTop) {
  const auto whole = [](int pixels) { return static_cast<std::int32_t>(pixels * kOne); };
  return {{{scaleOf(x), 0, whole(sourceLeft) + offsetOf(x, extent.width)},
           {0, scaleOf(y), whole(sourceTop) + offsetOf(y, extent.height)},
           {0, 0, static_cast<std::int32_t>(kOne)}}};
}

bool fitsFixedPoint(const graphics::Rect& sourceSpan) {
  return sourceSpan.left >= -kLargestCoordinate && sourceSpan.top >= -kLargestCoordinate &&
         sourceSpan.right() <= kLargestCoordinate && sourceSpan.bottom() <= kLargestCoordinate;
}

}  // namespace x11
