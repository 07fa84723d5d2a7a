#include "platform/x11/program_window.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <thread>
#include <vector>

#include "platform/x11/error_trap.h"
#include "platform/x11/window_properties.h"

namespace x11 {
namespace {

// Short enough that keys follow a window within a frame or two of its showing up, and that
// whatever the caller serves between looks is served without a noticeable delay.
constexpr std::chrono::milliseconds kPollInterval{20};

// An activation request "from a pager": the user asked for it, which a window manager honours
// even where it keeps new windows from stealing the focus.
constexpr long kRequestFromUser = 2;

class WindowFinder {
 public:
  explicit WindowFinder(Connection& connection)
      : connection_(connection),
        display_(connection.display()),
        activeWindowAtom_(atom("_NET_ACTIVE_WINDOW")),
        clientListAtom_(atom("_NET_CLIENT_LIST")),
        pidAtom_(atom("_NET_WM_PID")),
        windowTypeAtom_(atom("_NET_WM_WINDOW_TYPE")),
        normalTypeAtom_(atom("_NET_WM_WINDOW_TYPE_NORMAL")) {
    ErrorTrap trap(connection_);
    const auto supported = values(connection_.rootWindow(), atom("_NET_SUPPORTED"), XA_ATOM);
    managerActivates_ =
        std::find(supported.begin(), supported.end(), activeWindowAtom_) != supported.end();
  }

  // One look: true once the process's window can take keys.
  bool readyFor(unsigned long pid) {
    ErrorTrap trap(connection_);  // a window may vanish between two requests
    bool ready = false;
    if (managerActivates_) {
      const auto active = values(connection_.rootWindow(), activeWindowAtom_, XA_WINDOW);
      // The keyboard focus too: openbox leaves the property naming a window that is gone, and
      // the server hands its id out again to a later client.
      ready = active.size() == 1 && isMainWindowOf(active.front(), pid) &&
              hasFocusWithin(active.front());
      // A window manager may leave a new window behind ours, the user having just typed in
      // ours (openbox does): ask for it.
      if (!ready) askToActivateWindowOf(pid);
    } else {
      ready = focusTopLevelOf(pid);
    }
    return !trap.failed() && ready;
  }

 private:
  Atom atom(const char* name) const { return internAtom(display_, name); }

  std::vector<unsigned long> values(Window window, Atom name, Atom type) const {
    return propertyValues(display_, window, name, type);
  }

  // A viewable, normal window of the process: not its splash screen, which some programs show
  // first and which would swallow the keys.
  bool isMainWindowOf(Window window, unsigned long pid) const {
    if (window == 0 || values(window, pidAtom_, XA_CARDINAL) != std::vector{pid}) return false;
    const auto types = values(window, windowTypeAtom_, XA_ATOM);
    const bool normal = types.empty() || types.front() == normalTypeAtom_;
    XWindowAttributes attributes{};
    return normal && XGetWindowAttributes(display_, window, &attributes) &&
           attributes.map_state == IsViewable;
  }

  bool hasFocusWithin(Window window) const {
    Window focus = 0;
    int revertTo = 0;
    XGetInputFocus(display_, &focus, &revertTo);
    while (focus != window && focus != 0 && focus != PointerRoot &&
           focus != connection_.rootWindow()) {
      Window root = 0;
      Window* children = nullptr;
      unsigned int count = 0;
      Window parent = 0;
      if (!XQueryTree(display_, focus, &root, &parent, &children, &count)) return false;
      if (children != nullptr) XFree(children);
      focus = parent;
    }
    return focus == window;
  }

  void askToActivateWindowOf(unsigned long pid) {
    for (const Window window : values(connection_.rootWindow(), clientListAtom_, XA_WINDOW)) {
      if (window == askedFor_ || !isMainWindowOf(window, pid)) continue;
      XEvent request{};
      request.xclient.type = ClientMessage;
      request.xclient.window = window;
      request.xclient.message_type = activeWindowAtom_;
      request.xclient.format = 32;
      request.xclient.data.l[0] = kRequestFromUser;
      request.xclient.data.l[1] = CurrentTime;
      XSendEvent(display_, connection_.rootWindow(), False,
                 SubstructureRedirectMask | SubstructureNotifyMask, &request);
      askedFor_ = window;
      return;
    }
  }

  // Without a window manager that activates windows, giving the focus is up to us.
  bool focusTopLevelOf(unsigned long pid) const {
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display_, connection_.rootWindow(), &root, &parent, &children, &count)) {
      return false;
    }
    bool focused = false;
    for (unsigned int i = 0; i < count && !focused; ++i) {
      if (!isMainWindowOf(children[i], pid)) continue;
      XSetInputFocus(display_, children[i], RevertToParent, CurrentTime);
      focused = true;
    }
    if (children != nullptr) XFree(children);
    return focused;
  }

  Connection& connection_;
  Display* display_;
  Atom activeWindowAtom_;
  Atom clientListAtom_;
  Atom pidAtom_;
  Atom windowTypeAtom_;
  Atom normalTypeAtom_;
  bool managerActivates_ = false;  // a window manager publishes the active window
  Window askedFor_ = 0;            // asked to activate once: the manager's answer follows
};

}  // namespace

bool waitForProgramWindow(Connection& connection, int pid, std::chrono::milliseconds timeout,
                          const std::function<void()>& betweenLooks) {
  WindowFinder finder(connection);
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!finder.readyFor(static_cast<unsigned long>(pid))) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    betweenLooks();
    std::this_thread::sleep_for(kPollInterval);
  }
  return true;
}

}  // namespace x11
