#pragma once

#include "platform/graphics/bitmap.h"

namespace graphics {

// Something the stretching copy can read from: the screen, or a picture in memory.
class PixelSource {
 public:
  virtual ~PixelSource() = default;
  // The readable area, in the source's own coordinates. Pixels outside it read as black.
  virtual Rect bounds() const = 0;
  // The pixels of `area`, which lies inside bounds(). The view stays valid until the next read.
  // A read that cannot be done throws (the screen's reader: forms::RuntimeError, saying why).
  virtual PixelView read(const Rect& area) = 0;
  // Throws when the source cannot be read at all just now (forms::NotReady: a screen whose first
  // frame has not come yet). Asked before a copy from it is set up, so nothing is drawn meanwhile.
  virtual void checkReadable() {}
};

// A picture in memory as a source.
class BitmapSource final : public PixelSource {
 public:
  explicit BitmapSource(const Bitmap& bitmap) : bitmap_(bitmap) {}
  Rect bounds() const override { return {0, 0, bitmap_.width(), bitmap_.height()}; }
  PixelView read(const Rect& area) override {
    return {bitmap_.row(area.top) + area.left, bitmap_.stride(), area.width, area.height};
  }

 private:
  const Bitmap& bitmap_;
};

}  // namespace graphics
