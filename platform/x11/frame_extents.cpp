#include "platform/x11/frame_extents.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <thread>
#include <vector>

#include "platform/x11/error_trap.h"

namespace x11 {
namespace {

// The answer usually comes within a millisecond or two.
constexpr std::chrono::milliseconds kPollInterval{2};

// More than any window manager lists in _NET_SUPPORTED.
constexpr long kMostValues = 4096;

Atom atom(Display* display, const char* name) { return XInternAtom(display, name, False); }

// A format-32 property's values: an array of long, whatever the width of long.
std::vector<unsigned long> values(Display* display, Window window, Atom name, Atom type) {
  Atom actualType = 0;
  int format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  const int status = XGetWindowProperty(display, window, name, 0, kMostValues, False, type,
                                        &actualType, &format, &count, &remaining, &data);
  std::vector<unsigned long> found;
  if (status == Success && actualType == type && format == 32) {
    const auto* first = reinterpret_cast<const unsigned long*>(data);
    found.assign(first, first + count);
  }
  if (data != nullptr) XFree(data);
  return found;
}

// A window manager runs when the root names a check window that names itself; a manager that
// has gone leaves the root naming a window that is gone too.
bool managerTakesRequest(Display* display) {
  const Window root = DefaultRootWindow(display);
  const Atom check = atom(display, "_NET_SUPPORTING_WM_CHECK");
  const auto named = values(display, root, check, XA_WINDOW);
  if (named.size() != 1) return false;
  ErrorTrap trap(display);
  const auto confirmed = values(display, named.front(), check, XA_WINDOW);
  if (trap.failed() || confirmed != named) return false;
  const auto supported = values(display, root, atom(display, "_NET_SUPPORTED"), XA_ATOM);
  return std::find(supported.begin(), supported.end(),
                   atom(display, "_NET_REQUEST_FRAME_EXTENTS")) != supported.end();
}

}  // namespace

std::optional<FrameExtents> askFrameExtents(Display* display, unsigned long window,
                                            std::chrono::milliseconds timeout) {
  if (!managerTakesRequest(display)) return std::nullopt;
  const Atom extentsAtom = atom(display, "_NET_FRAME_EXTENTS");

  XEvent request{};
  request.xclient.type = ClientMessage;
  request.xclient.window = window;
  request.xclient.message_type = atom(display, "_NET_REQUEST_FRAME_EXTENTS");
  request.xclient.format = 32;
  XSendEvent(display, DefaultRootWindow(display), False,
             SubstructureRedirectMask | SubstructureNotifyMask, &request);
  XFlush(display);

  const auto deadline = std::chrono::steady_clock::now() + timeout;
  ErrorTrap trap(display);  // the window may go meanwhile
  while (true) {
    const auto extents = values(display, window, extentsAtom, XA_CARDINAL);
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
