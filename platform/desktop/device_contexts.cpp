#include "platform/screen_desktop.h"

#include <algorithm>
#include <optional>

namespace platform {

ScreenDesktop::ScreenDesktop()
    : screenDc_(*this), screenDcHandle_(graphics::deviceContexts().add(screenDc_)) {}

ScreenDesktop::~ScreenDesktop() { graphics::deviceContexts().remove(screenDcHandle_); }

Hdc ScreenDesktop::GetDC(Hwnd window) {
  if (window != 0) return 0;  // only the whole screen is ever asked for
  ++outstandingScreenDcs_;
  return screenDcHandle_;
}

std::int32_t ScreenDesktop::ReleaseDC(Hwnd window, Hdc dc) {
  if (window != 0 || dc != screenDcHandle_ || outstandingScreenDcs_ == 0) return 0;
  --outstandingScreenDcs_;
  return 1;
}

std::int32_t ScreenDesktop::StretchBlt(Hdc dest, std::int32_t x, std::int32_t y,
                                       std::int32_t width, std::int32_t height, Hdc source,
                                       std::int32_t sourceX, std::int32_t sourceY,
                                       std::int32_t sourceWidth, std::int32_t sourceHeight,
                                       std::uint32_t rasterOp) {
  if (rasterOp != SRCCOPY) return 0;
  graphics::DeviceContext* destDc = graphics::deviceContexts().find(dest);
  graphics::DeviceContext* sourceDc = graphics::deviceContexts().find(source);
  if (destDc == nullptr || sourceDc == nullptr) return 0;
  graphics::Bitmap* target = destDc->target();
  graphics::PixelSource* pixels = sourceDc->source();
  if (target == nullptr || pixels == nullptr) return 0;
  const bool copied = graphics::stretchCopy(*target, {x, y, width, height}, *pixels,
                                            {sourceX, sourceY, sourceWidth, sourceHeight}, scratch_);
  destDc->targetChanged();
  return copied ? 1 : 0;
}

Hrgn ScreenDesktop::CreateEllipticRgn(std::int32_t left, std::int32_t top, std::int32_t right,
                                      std::int32_t bottom) {
  // Corners may come in either order; the ellipse is the same.
  const graphics::Rect bounds{std::min(left, right), std::min(top, bottom),
                              std::abs(right - left), std::abs(bottom - top)};
  const Hrgn handle = nextRegion_++;
  regions_[handle] = {bounds};
  return handle;
}

std::int32_t ScreenDesktop::SetWindowRgn(Hwnd window, Hrgn region, std::int32_t redraw) {
  graphics::RegionTarget* target = graphics::windows().find(window);
  if (target == nullptr) return 0;
  std::optional<graphics::EllipseRegion> outline;
  if (const auto found = regions_.find(region); found != regions_.end()) {
    outline = found->second;
    regions_.erase(found);  // the window owns it now
  }
  target->setWindowRegion(outline, redraw != 0);
  return 1;
}

}  // namespace platform
