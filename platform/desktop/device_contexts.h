#pragma once

#include <optional>

#include "platform/desktop/screen_copy.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/device_context.h"

namespace platform {

// The device contexts and the stretching copy over a screen of pixels, shared by the real
// desktops and the fake: only where the screen's pixels come from differs. The copy itself is
// the target surface's, which may do it where it keeps its picture.
class DeviceContexts final : public ScreenCopy {
 public:
  // `screen` must outlive this object.
  explicit DeviceContexts(graphics::PixelSource& screen);

  Hdc GetDC(Hwnd window) override;
  std::int32_t ReleaseDC(Hwnd window, Hdc dc) override;
  std::int32_t StretchBlt(Hdc dest, std::int32_t x, std::int32_t y, std::int32_t width,
                          std::int32_t height, Hdc source, std::int32_t sourceX,
                          std::int32_t sourceY, std::int32_t sourceWidth, std::int32_t sourceHeight,
                          std::uint32_t rasterOp) override;
  void holdScreenArea(Hdc screenDc, const graphics::Rect& area) override;
  HandleTable<graphics::DeviceContext>::Registration registerDeviceContext(
      graphics::DeviceContext& context) override;

  // Screen device contexts handed out and not yet released.
  int outstandingScreenDcs() const { return outstandingScreenDcs_; }

 private:
  // The screen as copies read it: as it is, or, inside an area held, as it was then.
  class ScreenDc final : public graphics::DeviceContext, private graphics::PixelSource {
   public:
    explicit ScreenDc(graphics::PixelSource& screen) : screen_(screen) {}
    graphics::PixelSource* source() override { return held_ ? this : &screen_; }
    graphics::PixelSource& screen() { return screen_; }
    void hold(const graphics::Rect& area);
    void release() { held_.reset(); }

   private:
    graphics::Rect bounds() const override { return screen_.bounds(); }
    graphics::PixelView read(const graphics::Rect& area) override;

    graphics::PixelSource& screen_;
    std::optional<graphics::Rect> held_;
    graphics::Bitmap heldPixels_;  // kept from one hold to the next: no new memory each time
  };

  HandleTable<graphics::DeviceContext> contexts_;
  ScreenDc screenDc_;
  HandleTable<graphics::DeviceContext>::Registration screenDcHandle_;
  int outstandingScreenDcs_ = 0;
};

}  // namespace platform
