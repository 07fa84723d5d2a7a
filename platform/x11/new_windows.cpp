#include "platform/x11/new_windows.h"

#include <X11/Xlib.h>

#include <algorithm>

namespace x11 {

NewWindows::NewWindows() {
  XSelectInput(connection_.display(), connection_.rootWindow(), SubstructureNotifyMask);
  // Creations from here on are reported.
  XSync(connection_.display(), False);
}

void NewWindows::update() {
  Display* display = connection_.display();
  XSync(display, False);
  XEvent event;
  while (XPending(display) > 0) {
    XNextEvent(display, &event);
    if (event.type == CreateNotify) created_.push_back(event.xcreatewindow.window);
  }
}

bool NewWindows::contains(unsigned long window) const {
  return std::find(created_.begin(), created_.end(), window) != created_.end();
}

}  // namespace x11
