#pragma once

#include <unordered_map>

#include "platform/desktop.h"
#include "platform/graphics/device_context.h"
#include "platform/graphics/region.h"
#include "platform/graphics/stretch_copy.h"

namespace platform {

// The device-context and region half of a desktop, shared by the real desktop and the fake:
// everything but where the screen's pixels come from.
class ScreenDesktop : public Desktop {
 public:
  ScreenDesktop();
  ~ScreenDesktop() override;
  ScreenDesktop(const ScreenDesktop&) = delete;
  ScreenDesktop& operator=(const ScreenDesktop&) = delete;

  Hdc GetDC(Hwnd window) override;
  std::int32_t ReleaseDC(Hwnd window, Hdc dc) override;
  std::int32_t StretchBlt(Hdc dest, std::int32_t x, std::int32_t y, std::int32_t width,
                          std::int32_t height, Hdc source, std::int32_t sourceX,
                          std::int32_t sourceY, std::int32_t sourceWidth, std::int32_t sourceHeight,
                          std::uint32_t rasterOp) override;
  Hrgn CreateEllipticRgn(std::int32_t left, std::int32_t top, std::int32_t right,
                         std::int32_t bottom) override;
  std::int32_t SetWindowRgn(Hwnd window, Hrgn region, std::int32_t redraw) override;

  // Screen device contexts handed out and not yet released.
  int outstandingScreenDcs() const { return outstandingScreenDcs_; }
  // Regions made and not yet handed to a window.
  std::size_t unownedRegions() const { return regions_.size(); }

 protected:
  virtual graphics::PixelSource& screenPixels() = 0;

 private:
  class ScreenDc final : public graphics::DeviceContext {
   public:
    explicit ScreenDc(ScreenDesktop& desktop) : desktop_(desktop) {}
    graphics::PixelSource* source() override { return &desktop_.screenPixels(); }

   private:
    ScreenDesktop& desktop_;
  };

  ScreenDc screenDc_;
  Hdc screenDcHandle_;
  int outstandingScreenDcs_ = 0;
  graphics::StretchScratch scratch_;
  Hrgn nextRegion_ = 1;
  std::unordered_map<Hrgn, graphics::EllipseRegion> regions_;
};

}  // namespace platform
