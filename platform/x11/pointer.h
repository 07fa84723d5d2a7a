#pragma once

#include <optional>

#include "platform/x11/connection.h"

namespace x11 {

struct PointerPosition {
  int x = 0;
  int y = 0;
  bool operator==(const PointerPosition&) const = default;
};

// Where the pointer is, in screen pixels; nothing when it is on another screen of the display.
std::optional<PointerPosition> pointerPosition(const Connection& connection);

}  // namespace x11
