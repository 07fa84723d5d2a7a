#include "platform/forms/hscrollbar.h"

#include <utility>

#include "platform/forms/runtime_error.h"

namespace forms {

HScrollBar::HScrollBar(Container& container, std::string name)
    : Control(container, std::move(name), [](Toolkit& toolkit, ContainerPeer& parent, PeerListener& listener) {
        return toolkit.createScrollBar(parent, listener);
      }) {
  peer().setRange({range_.min, range_.max, range_.smallChange, range_.largeChange});
  peer().setValue(value_);
}

void HScrollBar::setRange(std::int16_t min, std::int16_t max, std::int16_t smallChange,
                          std::int16_t largeChange) {
  if (min > max || smallChange < 1 || largeChange < 1) throw RuntimeError::invalidPropertyValue();
  range_ = {min, max, smallChange, largeChange};
  peer().setRange({min, max, smallChange, largeChange});
  if (value_ < min) setValue(min);
  if (value_ > max) setValue(max);
}

void HScrollBar::setValue(std::int16_t value) {
  if (value < range_.min || value > range_.max) throw RuntimeError::invalidPropertyValue();
  if (value == value_) return;
  peer().setValue(value);
  changeTo(value);
}

void HScrollBar::peerScrolled(int value) {
  // The native bar keeps itself in range; a stray value is ignored rather than trusted.
  if (value < range_.min || value > range_.max || value == value_) return;
  changeTo(static_cast<std::int16_t>(value));
}

void HScrollBar::changeTo(std::int16_t value) {
  value_ = value;
  raise([this] {
    if (Change) Change();
  });
}

}  // namespace forms
