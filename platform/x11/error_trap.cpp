#include "platform/x11/error_trap.h"

#include <X11/Xlib.h>

namespace x11 {

// The traps set right now, innermost first, and the handler they replaced. One thread (the
// user interface's) talks to X through these connections.
struct ErrorTrapChain {
  static inline ErrorTrap* innermost = nullptr;
  static inline XErrorHandler replaced = nullptr;

  static int record(Display* display, XErrorEvent* event) {
    for (ErrorTrap* trap = innermost; trap != nullptr; trap = trap->outer_) {
      if (trap->display_ != display) continue;
      if (trap->errorCode_ == 0) trap->errorCode_ = event->error_code;
      return 0;
    }
    return replaced != nullptr ? replaced(display, event) : 0;
  }
};

namespace {

bool requestsInFlight(Display* display) {
  return NextRequest(display) - 1 != LastKnownRequestProcessed(display);
}

}  // namespace

ErrorTrap::ErrorTrap(Display* display) : display_(display), outer_(ErrorTrapChain::innermost) {
  if (outer_ == nullptr) ErrorTrapChain::replaced = XSetErrorHandler(&ErrorTrapChain::record);
  ErrorTrapChain::innermost = this;
}

ErrorTrap::~ErrorTrap() {
  if (requestsInFlight(display_)) XSync(display_, False);
  ErrorTrapChain::innermost = outer_;
  if (outer_ == nullptr) XSetErrorHandler(ErrorTrapChain::replaced);
}

bool ErrorTrap::failed() {
  XSync(display_, False);
  return errorCode_ != 0;
}

}  // namespace x11
