#include "platform/qt/display_probe.h"

#include <X11/Xlib.h>

namespace qtplatform {

bool xDisplayReachable() {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return false;
  XCloseDisplay(display);
  return true;
}

}  // namespace qtplatform
