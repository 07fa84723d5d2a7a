#pragma once

#include <chrono>
#include <optional>

#include "platform/x11/connection.h"

namespace x11 {

struct FrameExtents {
  int left = 0;
  int right = 0;
  int top = 0;
  int bottom = 0;
};

// Asks the window manager for the frame it will put around `window` when it maps it
// (_NET_REQUEST_FRAME_EXTENTS); false when no window manager runs or it does not take the
// request. `display` may be Qt's: the request then follows whatever Qt has set on the window
// so far.
bool requestFrameExtents(_XDisplay* display, unsigned long window);

// The window manager's answer to that request, waited for until `deadline`, reading no events
// meanwhile. Nothing when the answer did not come in time or the window is gone.
std::optional<FrameExtents> awaitFrameExtents(_XDisplay* display, unsigned long window,
                                              std::chrono::steady_clock::time_point deadline);

}  // namespace x11
