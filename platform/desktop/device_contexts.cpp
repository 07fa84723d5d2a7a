#include "platform/desktop/device_contexts.h"

namespace platform {

DeviceContexts::DeviceContexts(graphics::PixelSource& screen, graphics::HeldSource* held)
    : heldInMemory_(screen),
      screenDc_(screen, held != nullptr ? *held : heldInMemory_),
      screenDcHandle_(contexts_.add(screenDc_)) {}

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

HandleTable<graphics::DeviceContext>::Registration DeviceContexts::registerDeviceContext(
    graphics::DeviceContext& context) {
  return contexts_.add(context);
}

}  // namespace platform
