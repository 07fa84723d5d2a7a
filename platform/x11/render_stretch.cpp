#include "platform/x11/render_stretch.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrender.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>
#include <utility>

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

// The least whole number not below a / b, for b > 0.
std::int64_t ceilDiv(std::int64_t a, std::int64_t b) { return a / b + (a % b > 0 ? 1 : 0); }

// The destination positions d in [first, end) whose source sourceStart + floor((d - destStart)
// * sourceExtent / destExtent) lies in [low, high).
std::pair<int, int> within(int first, int end, int destStart, int destExtent, int sourceStart,
                           int sourceExtent, int low, int high) {
  // floor(t * s / e) >= k exactly when t >= ceil(k * e / s); < k exactly when t < ceil(k * e / s).
  const auto from = [&](int k) {
    return destStart + ceilDiv(std::int64_t{k - sourceStart} * destExtent, sourceExtent);
  };
  const auto begin = std::clamp<std::int64_t>(from(low), first, end);
  const auto stop = std::clamp<std::int64_t>(from(high), begin, end);
  return {static_cast<int>(begin), static_cast<int>(stop)};
}

}  // namespace

graphics::Rect insideSource(const graphics::Rect& visible, const graphics::Rect& dest,
                            const graphics::Rect& source, const graphics::Rect& bounds) {
  const auto [left, right] = within(visible.left, visible.right(), dest.left, dest.width,
                                    source.left, source.width, bounds.left, bounds.right());
  const auto [top, bottom] = within(visible.top, visible.bottom(), dest.top, dest.height,
                                    source.top, source.height, bounds.top, bounds.bottom());
  return {left, top, right - left, bottom - top};
}

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

void compositeStretch(Display* display, unsigned long source, const graphics::Rect& bounds,
                      const RenderStretch& stretch, unsigned long target,
                      const graphics::Rect& visible) {
  // One to one is a plain copy from a place in the source: a server copies that fastest
  // without a transform.
  const StretchRatio one;
  const bool plainCopy = stretch.x == one && stretch.y == one;
  const RenderMatrix matrix = plainCopy ? stretchMatrix(one, one, stretch.extent, 0, 0)
                                        : stretchMatrix(stretch.x, stretch.y, stretch.extent,
                                                        stretch.sourceLeft, stretch.sourceTop);
  XTransform transform;
  for (std::size_t r = 0; r < matrix.size(); ++r) {
    for (std::size_t c = 0; c < matrix[r].size(); ++c) transform.matrix[r][c] = matrix[r][c];
  }
  XRenderSetPictureTransform(display, source, &transform);
  // A composite that reaches past its source's edges makes the server test every pixel for
  // them; what lies beyond is black anyway, as in the portable copy.
  const graphics::Rect ratios{0, 0, static_cast<int>(stretch.x.dest),
                              static_cast<int>(stretch.y.dest)};
  const graphics::Rect from{stretch.sourceLeft, stretch.sourceTop,
                            static_cast<int>(stretch.x.source), static_cast<int>(stretch.y.source)};
  const graphics::Rect inside = insideSource(visible, ratios, from, bounds);
  if (!inside.empty()) {
    const int shiftX = plainCopy ? stretch.sourceLeft : 0;
    const int shiftY = plainCopy ? stretch.sourceTop : 0;
    XRenderComposite(display, PictOpSrc, source, None, target, inside.left + shiftX,
                     inside.top + shiftY, 0, 0, inside.left, inside.top,
                     static_cast<unsigned>(inside.width), static_cast<unsigned>(inside.height));
  }
  const auto rectangle = [](int left, int top, int right, int bottom) {
    return XRectangle{static_cast<short>(left), static_cast<short>(top),
                      static_cast<unsigned short>(std::max(right - left, 0)),
                      static_cast<unsigned short>(std::max(bottom - top, 0))};
  };
  const int top = inside.empty() ? visible.bottom() : inside.top;
  const int bottom = inside.empty() ? visible.bottom() : inside.bottom();
  const int left = inside.empty() ? visible.right() : inside.left;
  const int right = inside.empty() ? visible.right() : inside.right();
  std::array<XRectangle, 4> beyond{
      rectangle(visible.left, visible.top, visible.right(), top),
      rectangle(visible.left, bottom, visible.right(), visible.bottom()),
      rectangle(visible.left, top, left, bottom), rectangle(right, top, visible.right(), bottom)};
  // Mostly all of the source lies on the screen: no request at all then.
  const auto end = std::remove_if(beyond.begin(), beyond.end(), [](const XRectangle& area) {
    return area.width == 0 || area.height == 0;
  });
  if (end == beyond.begin()) return;
  const XRenderColor black{0, 0, 0, 0xFFFF};
  XRenderFillRectangles(display, PictOpSrc, target, &black, beyond.data(),
                        static_cast<int>(end - beyond.begin()));
}

}  // namespace x11
