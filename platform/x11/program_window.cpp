#include "platform/x11/program_window.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <algorithm>
#include <limits>
#include <vector>

#include "platform/x11/error_trap.h"
#include "platform/x11/window_properties.h"

namespace x11 {
namespace {

// An activation request "from a pager": the user asked for it, which a window manager honours
// even where it keeps new windows from stealing the focus.
constexpr long kRequestFromUser = 2;

// The top-level windows.
std::vector<Window> rootChildren(Display* display, Window rootWindow) {
  Window root = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  std::vector<Window> found;
  if (XQueryTree(display, rootWindow, &root, &parent, &children, &count) != 0) {
    found.assign(children, children + count);
  }
  if (children != nullptr) XFree(children);
  return found;
}

}  // namespace

class ProgramWindow::Finder {
 public:
  Finder(Connection& connection, const StartedProgram& program, NewWindows& newWindows)
      : connection_(connection),
        display_(connection.display()),
        program_(program),
        newWindows_(newWindows),
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

  bool ready() {
    ErrorTrap trap(connection_);  // a window may vanish between two requests
    newWindows_.update();
    bool ready = false;
    if (managerActivates_) {
      const auto active = values(connection_.rootWindow(), activeWindowAtom_, XA_WINDOW);
      // The keyboard focus too: openbox leaves the property naming a window that is gone, and
      // the server hands its id out again to a later client.
      ready =
          active.size() == 1 && isProgramWindow(active.front()) && hasFocusWithin(active.front());
      // A window manager may leave a new window behind ours, the user having just typed in
      // ours (openbox does): ask for it.
      if (!ready) askToActivateProgramWindow();
    } else {
      ready = focusProgramWindow();
    }
    return !trap.failed() && ready;
  }

 private:
  Atom atom(const char* name) const { return internAtom(display_, name); }

  std::vector<unsigned long> values(Window window, Atom name, Atom type) const {
    return propertyValues(display_, window, name, type);
  }

  // A window that the start produced, viewable and of normal type: not its splash screen,
  // which some programs show first and which would swallow the keys. Windows that were there
  // before the start are never it, whoever they belong to.
  bool isProgramWindow(Window window) const {
    if (window == 0 || !newWindows_.contains(window)) return false;
    const auto types = values(window, windowTypeAtom_, XA_ATOM);
    const bool normal = types.empty() || types.front() == normalTypeAtom_;
    XWindowAttributes attributes{};
    return normal && XGetWindowAttributes(display_, window, &attributes) &&
           attributes.map_state == IsViewable &&
           (isOfProgramsSession(window) || isNamedAfterProgram(window));
  }

  // The window's process is the started one or one of its session: the launcher starts every
  // program in a session of its own, which whatever it starts keeps, also after a wrapper
  // script that started the real program has exited.
  bool isOfProgramsSession(Window window) const {
    const auto pids = values(window, pidAtom_, XA_CARDINAL);
    if (pids.size() != 1 || pids.front() == 0 ||
        pids.front() > static_cast<unsigned long>(std::numeric_limits<pid_t>::max())) {
      return false;
    }
    const auto pid = static_cast<pid_t>(pids.front());
    return pid == program_.pid || (program_.session > 0 && getsid(pid) == program_.session);
  }

  // A sandbox (flatpak run) gives the program process ids of its own, which mean nothing here:
  // its window's class still names it.
  bool isNamedAfterProgram(Window window) const {
    XClassHint hint{};
    if (XGetClassHint(display_, window, &hint) == 0) return false;
    const bool named = (hint.res_name != nullptr && program_.isNamedBy(hint.res_name)) ||
                       (hint.res_class != nullptr && program_.isNamedBy(hint.res_class));
    if (hint.res_name != nullptr) XFree(hint.res_name);
    if (hint.res_class != nullptr) XFree(hint.res_class);
    return named;
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

  void askToActivateProgramWindow() {
    for (const Window window : values(connection_.rootWindow(), clientListAtom_, XA_WINDOW)) {
      if (window == askedFor_ || !isProgramWindow(window)) continue;
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
  bool focusProgramWindow() const {
    for (const Window window : rootChildren(display_, connection_.rootWindow())) {
      if (!isProgramWindow(window)) continue;
      XSetInputFocus(display_, window, RevertToParent, CurrentTime);
      return true;
    }
    return false;
  }

  Connection& connection_;
  Display* display_;
  const StartedProgram& program_;
  NewWindows& newWindows_;
  Atom activeWindowAtom_;
  Atom clientListAtom_;
  Atom pidAtom_;
  Atom windowTypeAtom_;
  Atom normalTypeAtom_;
  bool managerActivates_ = false;  // a window manager publishes the active window
  Window askedFor_ = 0;            // asked to activate once: the manager's answer follows
};

ProgramWindow::ProgramWindow(Connection& connection, const StartedProgram& program,
                             NewWindows& newWindows)
    : finder_(std::make_unique<Finder>(connection, program, newWindows)) {}

ProgramWindow::~ProgramWindow() = default;

bool ProgramWindow::ready() { return finder_->ready(); }

}  // namespace x11
