#include "platform/x11/connection.h"

#include <X11/Xlib.h>

#include <stdexcept>
#include <string>

#include "platform/x11/error_trap.h"

namespace x11 {
namespace {

Display* openDisplay() {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    throw std::runtime_error("cannot open the X display \"" + std::string(XDisplayName(nullptr)) +
                             "\"; this program needs an X11 desktop (is DISPLAY set?)");
  }
  return display;
}

}  // namespace

Connection::Connection() : display_(openDisplay()), rootWindow_(DefaultRootWindow(display_)) {
  catchErrorsOf(display_);
}

Connection::~Connection() { XCloseDisplay(display_); }

}  // namespace x11
