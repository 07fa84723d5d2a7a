#include "platform/x11/frame_extents.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <thread>
#include <vector>

#include "platform/x11/error_trap.h"
#include "platform/x11/window_properties.h"

namespace x11 {
namespace {

// The answer usually comes within a millisecond or two.
constexpr std::chrono::milliseconds kPollInterval{2};

// A window manager runs when the root names a check window that names itself; a manager that
// has gone leaves the root naming a window that is gone too.
bool managerTakesRequest(Display* display) {
  const Window root = DefaultRootWindow(display);
  const Atom check = internAtom(display, "_NET_SUPPORTING_WM_CHECK");
  const auto named = propertyValues(display, root, check, XA_WINDOW);
  if (named.size() != 1) return false;
  ErrorTrap trap(display);
  const auto confirmed = propertyValues(display, named.front(), check, XA_WINDOW);
  if (trap.failed() || confirmed != named) return false;
  const auto supported =
      propertyValues(display, root, internAtom(display, "_NET_SUPPORTED"), XA_ATOM);
  return std::find(supported.begin(), supported.end(),
                   internAtom(display, "_NET_REQUEST_FRAME_EXTENTS")) != supported.end();
}

}  // namespace

bool requestFrameExtents(Display* display, unsigned long window) {
  if (!managerTakesRequest(display)) return false;
  XEvent request{};
  request.xclient.type = ClientMessage;
  request.xclient.window = window;
  request.xclient.message_type = internAtom(display, "_NET_REQUEST_FRAME_EXTENTS");
  request.xclient.format = 32;
  XSendEvent(display, DefaultRootWindow(display), False,
             SubstructureRedirectMask | SubstructureNotifyMask, &request);
  XFlush(display);
  return true;
}

std::optional<FrameExtents> awaitFrameExtents(Display* display, unsigned long window,
                                              std::chrono::steady_clock::time_point deadline) {
  const Atom extentsAtom = internAtom(display, "_NET_FRAME_EXTENTS");
  ErrorTrap trap(display);  // the window may go meanwhile
  while (true) {
    const auto extents = propertyValues(display, window, extentsAtom, XA_CARDINAL);
    if (trap.failed()) return std::nullopt;
    if (extents.size() == 4) {
      const auto margin = [&](std::size_t i) { return static_cast<int>(extents[i]); };
      // The property lists left, right, top, bottom.
      return FrameExtents{margin(0), margin(1), margin(2), margin(3)};
    }
    if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
    std::this_thread::sleep_for(kPollInterval);
  }
}

}  // namespace x11
