#pragma once

#include "platform/desktop/screen_metrics.h"

namespace win32 {

// Twips per pixel at `dotsPerInch`: 15 at 96, 12 at 120, 10 at 144; 96 when it is unknown.
float twipsPerPixel(int dotsPerInch);

// The system's resolution, which a system-DPI-aware program keeps for its whole life (Windows
// makes it the primary monitor's at sign-in), as twips per pixel.
class ScreenMetrics final : public platform::Screen {
 public:
  ScreenMetrics();
  float TwipsPerPixelX() const override { return x_; }
  float TwipsPerPixelY() const override { return y_; }

 private:
  float x_;
  float y_;
};

}  // namespace win32
