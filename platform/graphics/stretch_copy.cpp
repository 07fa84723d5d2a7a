#include "platform/graphics/stretch_copy.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace graphics {
namespace {

// Source coordinate that destination coordinate `d` samples, rounded down.
int sampleAt(int d, int destStart, int destExtent, int sourceStart, int sourceExtent) {
  const std::int64_t offset = std::int64_t{d - destStart} * sourceExtent / destExtent;
  return sourceStart + static_cast<int>(offset);
}

}  // namespace

StretchPlan planStretch(const Rect& dest, const Rect& source, Size targetSize) {
  if (dest.empty() || source.empty()) return {};
  const Rect visible = intersect(dest, {0, 0, targetSize.width, targetSize.height});
  if (visible.empty()) return {};
  const int firstX = sampleAt(visible.left, dest.left, dest.width, source.left, source.width);
  const int lastX = sampleAt(visible.right() - 1, dest.left, dest.width, source.left, source.width);
  const int firstY = sampleAt(visible.top, dest.top, dest.height, source.top, source.height);
  const int lastY =
      sampleAt(visible.bottom() - 1, dest.top, dest.height, source.top, source.height);
  return {visible, {firstX, firstY, lastX - firstX + 1, lastY - firstY + 1}};
}

void stretchCopy(PixelRows target, const Rect& dest, PixelSource& source, const Rect& sourceRect,
                 StretchScratch& scratch) {
  const StretchPlan plan = planStretch(dest, sourceRect, target.size);
  const Rect& visible = plan.visibleDest;
  if (visible.empty()) return;

  // Off-screen parts of the source are never read: they come out black.
  const Rect available = intersect(plan.sourceSpan, source.bounds());
  PixelView pixels;
  if (!available.empty()) pixels = source.read(available);

  // Sampling only ever moves right, so the readable columns are one run; the columns either
  // side of it take source pixels off the screen and come out black.
  auto& columns = scratch.columns;
  columns.resize(static_cast<std::size_t>(visible.width));
  int firstReadable = visible.width;
  int endReadable = 0;
  for (int i = 0; i < visible.width; ++i) {
    const int x =
        sampleAt(visible.left + i, dest.left, dest.width, sourceRect.left, sourceRect.width) -
        available.left;
    columns[static_cast<std::size_t>(i)] = x;
    if (x >= 0 && x < available.width) {
      firstReadable = std::min(firstReadable, i);
      endReadable = i + 1;
    }
  }
  const bool anyReadable = firstReadable < endReadable;
  // At zoom 1 the readable columns are consecutive source pixels: copy them as one block.
  const bool contiguous = dest.width == sourceRect.width;
  const auto bytes = [](int count) { return static_cast<std::size_t>(count) * sizeof(Pixel); };
  const std::size_t rowBytes = bytes(visible.width);

  int previousSourceRow = 0;
  const Pixel* previousRow = nullptr;
  for (int y = visible.top; y < visible.bottom(); ++y) {
    Pixel* out = target.row(y) + visible.left;
    const int sourceRow =
        sampleAt(y, dest.top, dest.height, sourceRect.top, sourceRect.height) - available.top;
    if (previousRow != nullptr && sourceRow == previousSourceRow) {
      // Magnifying repeats source rows: the row just written is the answer.
      std::memcpy(out, previousRow, rowBytes);
    } else if (!anyReadable || sourceRow < 0 || sourceRow >= available.height) {
      std::memset(out, 0, rowBytes);
    } else {
      const Pixel* in = pixels.row(sourceRow);
      std::memset(out, 0, bytes(firstReadable));
      if (contiguous) {
        std::memcpy(out + firstReadable, in + columns[static_cast<std::size_t>(firstReadable)],
                    bytes(endReadable - firstReadable));
      } else {
        for (int i = firstReadable; i < endReadable; ++i) {
          out[i] = in[columns[static_cast<std::size_t>(i)]];
        }
      }
      std::memset(out + endReadable, 0, bytes(visible.width - endReadable));
    }
    previousSourceRow = sourceRow;
    previousRow = out;
  }
}

}  // namespace graphics
