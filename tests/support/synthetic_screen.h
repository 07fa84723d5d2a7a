#pragma once

#include "platform/graphics/pixel_source.h"

namespace fake {

// The default screen's pixel at (x, y): red and green are the low bytes of x and y, blue holds
// their high bits, so neighbouring pixels always differ and an off-by-one shows.
graphics::Pixel syntheticPixel(int x, int y);

// A screen of known pixels that counts what is read of it and can be made to fail.
class SyntheticScreen final : public graphics::PixelSource {
 public:
  explicit SyntheticScreen(graphics::Size size);

  // The pixels; a test may edit or replace them.
  graphics::Bitmap& image() { return image_; }
  int reads() const { return reads_; }
  const graphics::Rect& lastRead() const { return lastRead_; }
  // From now on every read fails, throwing as the real screen's reader does.
  void setReadsFail(bool fail) { readsFail_ = fail; }

  graphics::Rect bounds() const override { return {0, 0, image_.width(), image_.height()}; }
  graphics::PixelView read(const graphics::Rect& area) override;

 private:
  graphics::Bitmap image_;
  int reads_ = 0;
  graphics::Rect lastRead_;
  bool readsFail_ = false;
};

}  // namespace fake
