#pragma once

#include "platform/graphics/bitmap.h"
#include "platform/graphics/pixel_source.h"
#include "platform/graphics/stretch_copy.h"

namespace graphics {

// A picture box's backing picture, kept where its toolkit shows it fastest: in memory, or on
// a display server. Whatever the place, the picture is the same pixel for pixel.
class Surface {
 public:
  virtual ~Surface() = default;

  virtual Size size() const = 0;
  // Keeps the overlapping top-left part; new area takes `fill`.
  virtual void resize(Size size, Pixel fill) = 0;
  virtual void fill(Pixel value) = 0;
  // The stretching copy of stretchCopy(): the same pixels, the same clipping. An error the
  // source's read throws passes, leaving the picture as it was.
  virtual void stretchFrom(const Rect& dest, PixelSource& source, const Rect& sourceRect) = 0;
  // The picture in memory, read back from where it lives if need be. Valid until the next
  // change.
  virtual const Bitmap& pixels() = 0;
};

// The picture in memory: the portable surface of every toolkit that shows a bitmap.
class BitmapSurface final : public Surface {
 public:
  Size size() const override { return bitmap_.size(); }
  void resize(Size size, Pixel fill) override { bitmap_.resize(size, fill); }
  void fill(Pixel value) override { bitmap_.fill(value); }
  void stretchFrom(const Rect& dest, PixelSource& source, const Rect& sourceRect) override {
    stretchCopy(bitmap_, dest, source, sourceRect, scratch_);
  }
  const Bitmap& pixels() override { return bitmap_; }
  // The same pixels, for painting; their memory moves when the size changes.
  const Bitmap& bitmap() const { return bitmap_; }

 private:
  Bitmap bitmap_;
  StretchScratch scratch_;
};

// A surface's picture as a copy source, read when a copy asks for it.
class SurfaceSource final : public PixelSource {
 public:
  explicit SurfaceSource(Surface& surface) : surface_(surface) {}
  Rect bounds() const override { return {0, 0, surface_.size().width, surface_.size().height}; }
  PixelView read(const Rect& area) override {
    const Bitmap& pixels = surface_.pixels();
    return {pixels.row(area.top) + area.left, pixels.stride(), area.width, area.height};
  }

 private:
  Surface& surface_;
};

}  // namespace graphics
