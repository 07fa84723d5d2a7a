#include "platform/win32/ui/input_state.h"

namespace win32 {
namespace {

bool down(int virtualKey) { return GetKeyState(virtualKey) < 0; }

}  // namespace

int shiftState() {
  return (down(VK_SHIFT) ? 1 : 0) | (down(VK_CONTROL) ? 2 : 0) | (down(VK_MENU) ? 4 : 0);
}

forms::MouseArgs mouseArgs(WPARAM flags, POINT position) {
  // The runtime's buttons: 1 left, 2 right, 4 middle.
  const int buttons = ((flags & MK_LBUTTON) != 0 ? 1 : 0) | ((flags & MK_RBUTTON) != 0 ? 2 : 0) |
                      ((flags & MK_MBUTTON) != 0 ? 4 : 0);
  return {buttons, shiftState(), static_cast<float>(position.x), static_cast<float>(position.y)};
}

forms::MouseArgs mouseArgs(POINT position) {
  WPARAM flags = 0;
  if (down(VK_LBUTTON)) flags |= MK_LBUTTON;
  if (down(VK_RBUTTON)) flags |= MK_RBUTTON;
  if (down(VK_MBUTTON)) flags |= MK_MBUTTON;
  return mouseArgs(flags, position);
}

}  // namespace win32
