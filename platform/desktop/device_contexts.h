#pragma once

#include "platform/desktop/screen_copy.h"
#include "platform/graphics/device_context.h"
#include "platform/graphics/held_source.h"

namespace platform {

// The device contexts and the stretching copy over a screen of pixels, shared by the real
// desktops and the fake: only where the screen's pixels come from differs. The copy itself is
// the target surface's, which may do it where it keeps its picture.
class DeviceContexts final : public ScreenCopy {
 public:
  // `screen` must outlive this object, and so must `held`: where an area of the screen is held
  // (ScreenDc::hold), if not in memory.
  explicit DeviceContexts(graphics::PixelSource& screen, graphics::HeldSource* held = nullptr);

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
  class ScreenDc final : public graphics::DeviceContext {
   public:
    ScreenDc(graphics::PixelSource& screen, graphics::HeldSource& held)
        : screen_(screen), held_(held) {}
    graphics::PixelSource* source() override {
      return holding_ ? static_cast<graphics::PixelSource*>(&held_) : &screen_;
    }
    graphics::PixelSource& screen() { return screen_; }
    void hold(const graphics::Rect& area) {
      held_.hold(area);
      holding_ = true;
    }
    void release() { holding_ = false; }

   private:
    graphics::PixelSource& screen_;
    graphics::HeldSource& held_;
    bool holding_ = false;
  };

  graphics::MemoryHeldSource heldInMemory_;
  HandleTable<graphics::DeviceContext> contexts_;
  ScreenDc screenDc_;
  HandleTable<graphics::DeviceContext>::Registration screenDcHandle_;
  int outstandingScreenDcs_ = 0;
};

}  // namespace platform
