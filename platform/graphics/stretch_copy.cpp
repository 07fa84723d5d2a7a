#include "platform/graphics/stretch_copy.h"

#include <cstdint>
#include <cstring>
#include <limits>

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
  const int lastY = sampleAt(visible.bottom() - 1, dest.top, dest.height, source.top, source.height);
  return {visible, {firstX, firstY, lastX - firstX + 1, lastY - firstY + 1}};
}

bool stretchCopy(Bitmap& target, const Rect& dest, PixelSource& source, const Rect& sourceRect,
                 StretchScratch& scratch) {
  const StretchPlan plan = planStretch(dest, sourceRect, target.size());
  const Rect& visible = plan.visibleDest;
  if (visible.empty()) return true;

  // Off-screen parts of the source are never read: they come out black.
  const Rect available = intersect(plan.sourceSpan, source.bounds());
  PixelView pixels;
  if (!available.empty()) {
    pixels = source.read(available);
    if (pixels.pixels == nullptr) return false;
  }

  auto& columns = scratch.columns;
  columns.resize(static_cast<std::size_t>(visible.width));
  bool everyColumnReadable = true;
  for (int i = 0; i < visible.width; ++i) {
    const int x = sampleAt(visible.left + i, dest.left, dest.width, sourceRect.left, sourceRect.width) -
                  available.left;
    const bool readable = x >= 0 && x < available.width;
    columns[static_cast<std::size_t>(i)] = readable ? x : -1;
    everyColumnReadable = everyColumnReadable && readable;
  }
  // At zoom 1 the columns are one contiguous run: copy rows whole.
  const bool contiguous = everyColumnReadable && dest.width == sourceRect.width;
  const std::size_t rowBytes = static_cast<std::size_t>(visible.width) * sizeof(Pixel);

  int previousSourceRow = std::numeric_limits<int>::min();
  const Pixel* previousRow = nullptr;
  for (int y = visible.top; y < visible.bottom(); ++y) {
    Pixel* out = target.row(y) + visible.left;
    const int sourceRow =
        sampleAt(y, dest.top, dest.height, sourceRect.top, sourceRect.height) - available.top;
    if (sourceRow == previousSourceRow) {
      // Magnifying repeats source rows: the row just written is the answer.
      std::memcpy(out, previousRow, rowBytes);
    } else if (sourceRow < 0 || sourceRow >= available.height) {
      std::memset(out, 0, rowBytes);
    } else if (contiguous) {
      std::memcpy(out, pixels.row(sourceRow) + columns.front(), rowBytes);
    } else {
      const Pixel* in = pixels.row(sourceRow);
      for (int i = 0; i < visible.width; ++i) {
        const int x = columns[static_cast<std::size_t>(i)];
        out[i] = x >= 0 ? in[x] : kBlack;
      }
    }
    previousSourceRow = sourceRow;
    previousRow = out;
  }
  return true;
}

}  // namespace graphics
