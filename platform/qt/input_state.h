#pragma once

#include <Qt>

namespace qtplatform {

// The runtime's shift state: 1 Shift, 2 Ctrl, 4 Alt.
inline int shiftState(Qt::KeyboardModifiers modifiers) {
  return (modifiers.testFlag(Qt::ShiftModifier) ? 1 : 0) |
         (modifiers.testFlag(Qt::ControlModifier) ? 2 : 0) |
         (modifiers.testFlag(Qt::AltModifier) ? 4 : 0);
}

// The runtime's button state: 1 left, 2 right, 4 middle.
inline int buttonState(Qt::MouseButtons buttons) {
  return (buttons.testFlag(Qt::LeftButton) ? 1 : 0) | (buttons.testFlag(Qt::RightButton) ? 2 : 0) |
         (buttons.testFlag(Qt::MiddleButton) ? 4 : 0);
}

}  // namespace qtplatform
