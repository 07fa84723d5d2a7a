#include "platform/win32/desktop/pointer.h"

#include <windows.h>

#include "platform/forms/not_ready.h"

namespace win32 {
namespace {

constexpr const char* kPointerHidden = "マウスポインターの位置が分かりません";

}  // namespace

// Fails where the pointer is not ours to see, e.g. while the secure desktop is up.
std::int32_t Pointer::GetCursorPos(platform::PointApi& point) {
  POINT position{};
  if (!::GetCursorPos(&position)) throw forms::NotReady(kPointerHidden);
  point.X = position.x;
  point.Y = position.y;
  return 1;
}

}  // namespace win32
