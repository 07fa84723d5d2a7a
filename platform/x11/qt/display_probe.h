#pragma once

namespace x11 {

enum class XDisplayKind {
  Unreachable,  // no X display to connect to
  X11,
  XWayland,  // the X server of a Wayland session: see isXWayland
};

// What the X display named by $DISPLAY is. Qt aborts the program when it cannot connect, so
// the entry asks first and can say why it stops.
XDisplayKind probeXDisplay();

}  // namespace x11
