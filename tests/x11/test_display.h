#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <thread>
#include <vector>

// The tests' own connection to the display under test (DISPLAY, an Xvfb), to draw on it and
// look at it independently of the code under test.
class TestDisplay {
 public:
  TestDisplay() : display_(XOpenDisplay(nullptr)) {}
  ~TestDisplay() {
    if (display_ != nullptr) XCloseDisplay(display_);
  }
  TestDisplay(const TestDisplay&) = delete;
  TestDisplay& operator=(const TestDisplay&) = delete;

  Display* get() const { return display_; }
  Window root() const { return DefaultRootWindow(display_); }
  int width() const { return DisplayWidth(display_, DefaultScreen(display_)); }
  int height() const { return DisplayHeight(display_, DefaultScreen(display_)); }

  // A window the window manager leaves alone, mapped and painted when this returns.
  Window mapUnmanagedWindow(int x, int y, int width, int height, Pixmap background = 0) const {
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.background_pixmap = background;
    attributes.event_mask = StructureNotifyMask | KeyPressMask | KeyReleaseMask;
    const unsigned long mask = CWOverrideRedirect | CWEventMask | (background ? CWBackPixmap : 0);
    const Window window = XCreateWindow(display_, root(), x, y, static_cast<unsigned>(width),
                                        static_cast<unsigned>(height), 0, CopyFromParent,
                                        InputOutput, CopyFromParent, mask, &attributes);
    XMapRaised(display_, window);
    waitFor(window, MapNotify);
    XSync(display_, False);
    return window;
  }

  // Gives `window` the keyboard focus and checks that it keeps it a moment: a window manager
  // moves the focus when windows go (those of earlier tests), a little after they went.
  bool takeFocus(Window window) const {
    for (int attempt = 0; attempt < 20; ++attempt) {
      XSetInputFocus(display_, window, RevertToPointerRoot, CurrentTime);
      XSync(display_, False);
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      Window focus = 0;
      int revertTo = 0;
      XGetInputFocus(display_, &focus, &revertTo);
      if (focus == window) return true;
    }
    return false;
  }

  // Waits for an event of `type` on `window`, dropping the events before it.
  void waitFor(Window window, int type) const {
    XEvent event;
    do {
      XWindowEvent(display_, window, StructureNotifyMask, &event);
    } while (event.type != type);
  }

  // A pixmap of the screen's depth holding `pixels` (0x00RRGGBB, `width` a row).
  Pixmap pixmapOf(const std::vector<std::uint32_t>& pixels, int width, int height) const {
    const int screen = DefaultScreen(display_);
    const Pixmap pixmap =
        XCreatePixmap(display_, root(), static_cast<unsigned>(width), static_cast<unsigned>(height),
                      static_cast<unsigned>(DefaultDepth(display_, screen)));
    XImage* image =
        XCreateImage(display_, DefaultVisual(display_, screen),
                     static_cast<unsigned>(DefaultDepth(display_, screen)), ZPixmap, 0,
                     reinterpret_cast<char*>(const_cast<std::uint32_t*>(pixels.data())),
                     static_cast<unsigned>(width), static_cast<unsigned>(height), 32, 0);
    const GC gc = XCreateGC(display_, pixmap, 0, nullptr);
    XPutImage(display_, pixmap, gc, image, 0, 0, 0, 0, static_cast<unsigned>(width),
              static_cast<unsigned>(height));
    XFreeGC(display_, gc);
    image->data = nullptr;  // the vector's, not the image's
    XDestroyImage(image);
    return pixmap;
  }

 private:
  Display* display_;
};
