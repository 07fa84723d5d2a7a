#include "platform/x11/pointer.h"

#include <X11/Xlib.h>

#include "platform/forms/not_ready.h"
#include "platform/x11/error_trap.h"

namespace x11 {
namespace {

constexpr const char* kPointerOnAnotherScreen = "マウスポインターが別の画面にあります";

}  // namespace

std::optional<PointerPosition> pointerPosition(const Connection& connection) {
  ErrorTrap trap(connection);
  Window root = 0;
  Window child = 0;
  PointerPosition position;
  int windowX = 0;
  int windowY = 0;
  unsigned int buttons = 0;
  if (!XQueryPointer(connection.display(), connection.rootWindow(), &root, &child, &position.x,
                     &position.y, &windowX, &windowY, &buttons)) {
    return std::nullopt;
  }
  return position;
}

std::int32_t Pointer::GetCursorPos(platform::PointApi& point) {
  const auto position = eventPlace_ ? eventPlace_ : pointerPosition(connection_);
  if (!position) throw forms::NotReady(kPointerOnAnotherScreen);
  point.X = position->x;
  point.Y = position->y;
  return 1;
}

}  // namespace x11
