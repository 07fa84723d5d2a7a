#pragma once

#include <memory>

#include "platform/x11/connection.h"
#include "platform/x11/screen_capture.h"

namespace x11 {

// Reads through MIT-SHM into one shared-memory segment that is kept and only ever grows, the
// fastest read there is on a local server. Nothing when the server offers no MIT-SHM or
// cannot attach our segment (a remote display, for one).
std::unique_ptr<ScreenCapture> openSharedMemoryCapture(Connection& connection);

}  // namespace x11
