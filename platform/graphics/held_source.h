#pragma once

#include "platform/graphics/bitmap.h"
#include "platform/graphics/pixel_source.h"

namespace graphics {

// A source with part of it kept as it was at one moment: reads inside the part held take the
// pixels as they were then, reads reaching beyond it the source as it is at the read.
class HeldSource : public PixelSource {
 public:
  // Keeps `area` of the source as it is now, in place of what was held before.
  virtual void hold(const Rect& area) = 0;
};

// The part held in memory: fits every source.
class MemoryHeldSource final : public HeldSource {
 public:
  // `source` must outlive this object.
  explicit MemoryHeldSource(PixelSource& source) : source_(source) {}

  void hold(const Rect& area) override;
  Rect bounds() const override { return source_.bounds(); }
  PixelView read(const Rect& area) override;

 private:
  PixelSource& source_;
  Rect held_;
  Bitmap pixels_;  // kept from one hold to the next: no new memory each time
};

}  // namespace graphics
