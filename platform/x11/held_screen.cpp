#include "platform/x11/held_screen.h"

#include <algorithm>

#include "platform/x11/error_trap.h"

namespace x11 {

HeldScreen::HeldScreen(ScreenCompositor& compositor, ScreenReader& screen)
    : compositor_(compositor), screen_(screen), inMemory_(screen) {}

void HeldScreen::hold(const graphics::Rect& area) {
  const graphics::Rect screen = screen_.bounds();
  const graphics::Rect onScreen = graphics::intersect(area, screen);
  held_.reset();
  if (onScreen.empty()) {
    inMemory_.hold(onScreen);
    return;
  }
  ErrorTrap trap(compositor_.connection());
  growHeldPicture(compositor_.connection().display(), picture_, {onScreen.width, onScreen.height});
  const ScreenCompositor::HeldArea held =
      compositor_.hold(picture_.picture(), onScreen, {screen.width, screen.height});
  // Waiting for the server to have copied the pixels puts the copy before anything any client
  // sends later: the window that is about to grow over them, for one.
  if (trap.failed()) {
    trap.report();
    picture_ = {};
    inMemory_.hold(onScreen);
    return;
  }
  held_ = held;
}

graphics::PixelView HeldScreen::read(const graphics::Rect& area) {
  if (!held_) return inMemory_.read(area);
  const graphics::Rect& held = held_->area;
  // Beyond what was held (a view that came out larger than expected), the screen as it is now.
  if (graphics::intersect(area, held) != area) return screen_.read(area);
  const graphics::PixelView pixels = screen_.readPixmap(
      picture_.pixmap(), {area.left - held.left, area.top - held.top, area.width, area.height});
  readBack_.resize({area.width, area.height}, graphics::kBlack);
  for (int y = 0; y < area.height; ++y) {
    std::transform(pixels.row(y), pixels.row(y) + area.width, readBack_.row(y), rgbOnly);
  }
  return readBack_.view();
}

const ScreenCompositor::HeldArea* HeldScreen::onServer(const graphics::Rect& span) const {
  if (!held_ || graphics::intersect(span, held_->area) != span) return nullptr;
  return &*held_;
}

}  // namespace x11
