#pragma once

namespace platform {

// The screen's scale: twips (1/1440 inch) per pixel.
class Screen {
 public:
  virtual ~Screen() = default;
  virtual float TwipsPerPixelX() const = 0;
  virtual float TwipsPerPixelY() const = 0;
};

}  // namespace platform
