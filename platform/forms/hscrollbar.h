#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/forms/control.h"

namespace forms {

// A horizontal scroll bar. Change is raised whenever Value changes, by the user (arrow
// buttons and keys at once, a dragged thumb on release) or by code, inside the write.
class HScrollBar final : public Control {
 public:
  HScrollBar(Container& container, std::string name);

  std::int16_t Value() const { return value_; }
  // Outside Min..Max: RuntimeError::invalidPropertyValue().
  void setValue(std::int16_t value);
  std::int16_t Min() const { return range_.min; }
  std::int16_t Max() const { return range_.max; }
  std::int16_t SmallChange() const { return range_.smallChange; }
  std::int16_t LargeChange() const { return range_.largeChange; }
  void setRange(std::int16_t min, std::int16_t max, std::int16_t smallChange, std::int16_t largeChange);

  std::function<void()> Change;

 private:
  struct Range {
    std::int16_t min = 0;
    std::int16_t max = 32767;
    std::int16_t smallChange = 1;
    std::int16_t largeChange = 1;
  };
  ScrollBarPeer& peer() { return static_cast<ScrollBarPeer&>(widgetPeer()); }
  void peerScrolled(int value) override;
  void changeTo(std::int16_t value);

  Range range_;
  std::int16_t value_ = 0;
};

}  // namespace forms
