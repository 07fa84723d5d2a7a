#include "platform/x11/qt/display_probe.h"

#include <X11/Xlib.h>

#include "platform/x11/xwayland.h"

namespace x11 {

XDisplayKind probeXDisplay() {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return XDisplayKind::Unreachable;
  const bool xwayland = isXWayland(display);
  XCloseDisplay(display);
  return xwayland ? XDisplayKind::XWayland : XDisplayKind::X11;
}

}  // namespace x11
