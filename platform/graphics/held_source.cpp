#include "platform/graphics/held_source.h"

#include <algorithm>

namespace graphics {

void MemoryHeldSource::hold(const Rect& area) {
  const Rect onSource = intersect(area, source_.bounds());
  pixels_.resize({onSource.width, onSource.height}, kBlack);
  if (!onSource.empty()) {
    const PixelView pixels = source_.read(onSource);
    for (int y = 0; y < onSource.height; ++y) {
      std::copy_n(pixels.row(y), onSource.width, pixels_.row(y));
    }
  }
  held_ = onSource;
}

PixelView MemoryHeldSource::read(const Rect& area) {
  // Beyond what was held (a view that came out larger than expected), the source as it is now.
  if (intersect(area, held_) != area) return source_.read(area);
  return {pixels_.row(area.top - held_.top) + (area.left - held_.left), pixels_.stride(),
          area.width, area.height};
}

}  // namespace graphics
