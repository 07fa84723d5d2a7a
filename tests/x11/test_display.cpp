#include "test_display.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>

#include <algorithm>

#include "platform/x11/window_properties.h"
#include "wait_until.h"

namespace {

// The window manager answers at once or holds the focus where it decided to put it: tries
// beyond a few would not change its mind.
constexpr int kFocusTries = 3;

// The connections of the tests, and the handler that was there before theirs.
std::vector<Display*>& testDisplays() {
  static std::vector<Display*> displays;
  return displays;
}
XErrorHandler handlerBefore = nullptr;

int ignoreTestDisplaysErrors(Display* display, XErrorEvent* error) {
  const bool ours = std::ranges::find(testDisplays(), display) != testDisplays().end();
  return ours ? 0 : handlerBefore(display, error);
}

}  // namespace

TestDisplay::TestDisplay() : display_(XOpenDisplay(nullptr)) {
  if (display_ == nullptr) return;
  // Once per process: the code under test sets handlers of its own over this one (its error
  // traps) and puts it back, and Qt replaces it for good with one that ignores every error.
  if (handlerBefore == nullptr) handlerBefore = XSetErrorHandler(ignoreTestDisplaysErrors);
  testDisplays().push_back(display_);
  windowManagerCaughtUp();
}

TestDisplay::~TestDisplay() {
  if (display_ == nullptr) return;
  XCloseDisplay(display_);
  std::erase(testDisplays(), display_);
}

unsigned long TestDisplay::root() const { return DefaultRootWindow(display_); }

int TestDisplay::width() const { return DisplayWidth(display_, DefaultScreen(display_)); }

int TestDisplay::height() const { return DisplayHeight(display_, DefaultScreen(display_)); }

unsigned long TestDisplay::atom(const char* name) const { return x11::internAtom(display_, name); }

std::vector<unsigned long> TestDisplay::property(unsigned long window, const char* name,
                                                 unsigned long type) const {
  return x11::propertyValues(display_, window, atom(name), type);
}

void TestDisplay::sync() const { XSync(display_, False); }

void TestDisplay::awaitInput() const {
  pollfd input{ConnectionNumber(display_), POLLIN, 0};
  poll(&input, 1, static_cast<int>(kLookInterval.count()));
}

// A window manager runs when the root names a check window that names itself; one that has
// gone leaves the root naming a window that is gone too.
bool TestDisplay::windowManagerRuns() const {
  constexpr const char* kCheck = "_NET_SUPPORTING_WM_CHECK";
  const auto named = property(root(), kCheck, XA_WINDOW);
  return named.size() == 1 && property(named.front(), kCheck, XA_WINDOW) == named;
}

bool TestDisplay::windowManagerTakesFrameRequests() const {
  if (!windowManagerRuns()) return false;
  const auto supported = property(root(), "_NET_SUPPORTED", XA_ATOM);
  return std::ranges::find(supported, atom("_NET_REQUEST_FRAME_EXTENTS")) != supported.end();
}

bool TestDisplay::windowManagerCaughtUp() const {
  if (!windowManagerTakesFrameRequests()) return true;
  const Atom extents = atom("_NET_FRAME_EXTENTS");
  XSetWindowAttributes attributes{};
  attributes.event_mask = PropertyChangeMask;
  const Window probe = XCreateWindow(display_, root(), 0, 0, 1, 1, 0, 0, InputOnly, CopyFromParent,
                                     CWEventMask, &attributes);
  XEvent request{};
  request.xclient.type = ClientMessage;
  request.xclient.window = probe;
  request.xclient.message_type = atom("_NET_REQUEST_FRAME_EXTENTS");
  request.xclient.format = 32;
  XSendEvent(display_, root(), False, SubstructureRedirectMask | SubstructureNotifyMask, &request);
  XFlush(display_);
  const bool answered = waitUntil(
      [&] {
        XEvent event;
        while (XCheckTypedWindowEvent(display_, probe, PropertyNotify, &event)) {
          if (event.xproperty.atom == extents) return true;
        }
        return false;
      },
      kPatience, [&] { awaitInput(); });
  XDestroyWindow(display_, probe);
  XFlush(display_);
  return answered;
}

unsigned long TestDisplay::createUnmanagedWindow(int x, int y, int width, int height,
                                                 unsigned long background) const {
  XSetWindowAttributes attributes{};
  attributes.override_redirect = True;
  attributes.background_pixmap = background;
  attributes.event_mask = StructureNotifyMask;
  const unsigned long mask =
      CWOverrideRedirect | CWEventMask | (background != 0 ? CWBackPixmap : 0);
  return XCreateWindow(display_, root(), x, y, static_cast<unsigned>(width),
                       static_cast<unsigned>(height), 0, CopyFromParent, InputOutput,
                       CopyFromParent, mask, &attributes);
}

void TestDisplay::mapRaised(unsigned long window) const {
  XMapRaised(display_, window);
  waitFor(window, MapNotify);
  sync();
}

unsigned long TestDisplay::mapUnmanagedWindow(int x, int y, int width, int height) const {
  const Window window = createUnmanagedWindow(x, y, width, height);
  XSelectInput(display_, window, StructureNotifyMask | KeyPressMask | KeyReleaseMask);
  mapRaised(window);
  return window;
}

void TestDisplay::waitFor(unsigned long window, int type) const {
  XEvent event;
  do {
    XWindowEvent(display_, window, StructureNotifyMask, &event);
  } while (event.type != type);
}

// A window manager moves the focus when a window comes or goes, as soon as it handles that:
// only once it has handled all that came before does the focus stay where it is put.
bool TestDisplay::takeFocus(unsigned long window) const {
  if (!windowManagerCaughtUp() || !viewable(window)) return false;
  for (int attempt = 0; attempt < kFocusTries; ++attempt) {
    XSetInputFocus(display_, window, RevertToPointerRoot, CurrentTime);
    if (!windowManagerCaughtUp()) return false;
    if (focusedWindow() == window) return true;
  }
  return false;
}

bool TestDisplay::viewable(unsigned long window) const {
  XWindowAttributes attributes{};
  return XGetWindowAttributes(display_, window, &attributes) != 0 &&
         attributes.map_state == IsViewable;
}

unsigned long TestDisplay::focusedWindow() const {
  Window focus = 0;
  int revertTo = 0;
  XGetInputFocus(display_, &focus, &revertTo);
  return focus;
}

unsigned long TestDisplay::pixmapOfValues(const std::vector<unsigned long>& values, int width,
                                          int height) const {
  const int screen = DefaultScreen(display_);
  const auto depth = static_cast<unsigned>(DefaultDepth(display_, screen));
  const Pixmap pixmap = XCreatePixmap(display_, root(), static_cast<unsigned>(width),
                                      static_cast<unsigned>(height), depth);
  XImage* image =
      XCreateImage(display_, DefaultVisual(display_, screen), depth, ZPixmap, 0, nullptr,
                   static_cast<unsigned>(width), static_cast<unsigned>(height), 32, 0);
  std::vector<char> data(static_cast<std::size_t>(image->bytes_per_line) * height);
  image->data = data.data();
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) XPutPixel(image, x, y, values[std::size_t(y) * width + x]);
  }
  const GC gc = XCreateGC(display_, pixmap, 0, nullptr);
  XPutImage(display_, pixmap, gc, image, 0, 0, 0, 0, static_cast<unsigned>(width),
            static_cast<unsigned>(height));
  XFreeGC(display_, gc);
  image->data = nullptr;  // the vector's, not the image's
  XDestroyImage(image);
  return pixmap;
}
