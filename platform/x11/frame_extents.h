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

// The frame that the window manager will put around `window` when it maps it, asked for before
// that (_NET_REQUEST_FRAME_EXTENTS). Waits at most `timeout` for the answer, reading no events
// meanwhile. Nothing when no window manager runs, when it does not take the request, or when
// its answer did not come in time. `display` may be Qt's: the request then follows whatever Qt
// has set on the window so far.
std::optional<FrameExtents> askFrameExtents(_XDisplay* display, unsigned long window,
                                            std::chrono::milliseconds timeout);

}  // namespace x11
