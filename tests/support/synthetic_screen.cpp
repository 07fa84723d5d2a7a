#include "tests/support/synthetic_screen.h"

#include <cstdint>

#include "platform/forms/runtime_error.h"

namespace fake {

graphics::Pixel syntheticPixel(int x, int y) {
  const auto high = static_cast<std::uint8_t>((x >> 8) | ((y >> 8) << 4));
  return graphics::rgb(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), high);
}

SyntheticScreen::SyntheticScreen(graphics::Size size) : image_(size.width, size.height) {
  for (int y = 0; y < size.height; ++y) {
    for (int x = 0; x < size.width; ++x) image_.set(x, y, syntheticPixel(x, y));
  }
}

graphics::PixelView SyntheticScreen::read(const graphics::Rect& area) {
  ++reads_;
  lastRead_ = area;
  if (readsFail_) throw forms::RuntimeError::screenUnreadable("読み取りを失敗させています。");
  return {image_.row(area.top) + area.left, image_.stride(), area.width, area.height};
}

}  // namespace fake
