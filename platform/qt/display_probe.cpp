#include "platform/qt/display_probe.h"

#include <X11/Xlib.h>

#include "platform/x11/xwayland.h"

namespace qtplatform {

XDisplayKind probeXDisplay() {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return XDisplayKind::Unreachable;
  const bool xwayland = x11::isXWayland(display);
  XCloseDisplay(display);
  return xwayland ? XDisplayKind::XWayland : XDisplayKind::X11;
}

}  // namespace qtplatform
