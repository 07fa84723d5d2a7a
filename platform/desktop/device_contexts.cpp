#include "platform/desktop/device_contexts.h"

#include <algorithm>

namespace platform {

DeviceContexts::DeviceContexts(graphics::PixelSource& screen)
    : screenDc_(screen), screenDcHandle_(contexts_.add(screenDc_)) {}

Hdc DeviceContexts::GetDC(Hwnd window) {
  if (window != 0) return 0;  // only the whole screen is ever asked for
  screenDc_.screen().checkReadable();
  ++outstandingScreenDcs_;
  return screenDcHandle_.handle();
}

std::int32_t DeviceContexts::ReleaseDC(Hwnd window, Hdc dc) {
  if (window != 0 || dc != screenDcHandle_.handle() || outstandingScreenDcs_ == 0) return 0;
  if (--outstandingScreenDcs_ == 0) screenDc_.release();
  return 1;
}

std::int32_t DeviceContexts::StretchBlt(Hdc dest, std::int32_t x, std::int32_t y,
                                        std::int32_t width, std::int32_t height, Hdc source,
                                        std::int32_t sourceX, std::int32_t sourceY,
                                        std::int32_t sourceWidth, std::int32_t sourceHeight,
                                        std::uint32_t rasterOp) {
  if (rasterOp != SRCCOPY) return 0;
  graphics::DeviceContext* destDc = contexts_.find(dest);
  graphics::DeviceContext* sourceDc = contexts_.find(source);
  if (destDc == nullptr || sourceDc == nullptr) return 0;
  graphics::Surface* target = destDc->target();
  graphics::PixelSource* pixels = sourceDc->source();
  if (target == nullptr || pixels == nullptr) return 0;
  target->stretchFrom({x, y, width, height}, *pixels,
                      {sourceX, sourceY, sourceWidth, sourceHeight});
  destDc->targetChanged();
  return 1;
}

void DeviceContexts::holdScreenArea(Hdc screenDc, const graphics::Rect& area) {
  if (screenDc != screenDcHandle_.handle() || outstandingScreenDcs_ == 0) return;
  screenDc_.hold(area);
}

void DeviceContexts::ScreenDc::hold(const graphics::Rect& area) {
  const graphics::Rect onScreen = graphics::intersect(area, screen_.bounds());
  heldPixels_.resize({onScreen.width, onScreen.height}, graphics::kBlack);
  if (!onScreen.empty()) {
    const graphics::PixelView pixels = screen_.read(onScreen);
    for (int y = 0; y < onScreen.height; ++y) {
      std::copy_n(pixels.row(y), onScreen.width, heldPixels_.row(y));
    }
  }
  held_ = onScreen;
}

graphics::PixelView DeviceContexts::ScreenDc::read(const graphics::Rect& area) {
  const graphics::Rect& held = *held_;
  // Beyond what was held (a view that came out larger than expected), the screen as it is now.
  if (graphics::intersect(area, held) != area) return screen_.read(area);
  return {heldPixels_.row(area.top - held.top) + (area.left - held.left), heldPixels_.stride(),
          area.width, area.height};
}

HandleTable<graphics::DeviceContext>::Registration DeviceContexts::registerDeviceContext(
    graphics::DeviceContext& context) {
  return contexts_.add(context);
}

}  // namespace platform
