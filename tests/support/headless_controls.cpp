#include "tests/support/headless_controls.h"

#include <algorithm>
#include <stdexcept>

namespace headless {

void ScrollBar::scrollTo(int value) {
  requireOnScreen("scroll");
  value_ = std::clamp(value, range_.min, range_.max);
  listener().peerScrolled(value_);
}

void ScrollBar::pressArrow(int direction) { step(direction, range_.smallChange); }

void ScrollBar::pressPage(int direction) { step(direction, range_.largeChange); }

void ScrollBar::step(int direction, int change) {
  if (direction != 1 && direction != -1) throw std::logic_error("a scroll direction is +1 or -1");
  scrollTo(value_ + direction * change);
}

void TextBox::typeText(const std::string& text) {
  requireOnScreen("type into");
  text_ = text;
  listener().peerTextEdited(text_);
}

}  // namespace headless
