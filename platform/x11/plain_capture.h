#pragma once

#include <memory>

#include "platform/x11/connection.h"
#include "platform/x11/screen_capture.h"

namespace x11 {

// Reads with plain XGetImage requests: works on any display, about ten times slower than
// shared memory, and allocates per read.
std::unique_ptr<ScreenCapture> openPlainCapture(Connection& connection);

}  // namespace x11
