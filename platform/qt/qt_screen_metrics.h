#pragma once

#include "platform/desktop/screen_metrics.h"

namespace qtplatform {

// The primary screen's logical resolution as twips per pixel: 15 at 96 dpi, 12 at 120 dpi.
class QtScreenMetrics final : public platform::Screen {
 public:
  float TwipsPerPixelX() const override;
  float TwipsPerPixelY() const override;
};

}  // namespace qtplatform
