#pragma once

#include "platform/x11/display_type.h"

namespace x11 {

// Whether the X server is XWayland, the X server of a Wayland session: there the root window
// reads as black and the pointer is seen only over X windows. Newer XWayland says so with
// an extension of its name; every version names its monitors "XWAYLAND0", "XWAYLAND1", ...
bool isXWayland(_XDisplay* display);

}  // namespace x11
