#include "platform/win32/desktop/pointer.h"

#include <windows.h>

namespace win32 {

// Fails where the pointer is not ours to see, e.g. while the secure desktop is up.
std::int32_t Pointer::GetCursorPos(platform::PointApi& point) {
  POINT position{};
  if (!::GetCursorPos(&position)) return 0;
  point.X = position.x;
  point.Y = position.y;
  return 1;
}

}  // namespace win32
