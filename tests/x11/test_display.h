#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <thread>
#include <vector>

#include "screen_colours.h"

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

  // A pixmap of the screen's depth showing `pixels` (0x00RRGGBB, `width` a row), each cut to
  // the screen's bits.
  Pixmap pixmapOf(const std::vector<std::uint32_t>& pixels, int width, int height) const {
    const ScreenColours colours(display_);
    std::vector<unsigned long> values(pixels.size());
    for (std::size_t i = 0; i < pixels.size(); ++i) values[i] = colours.pixelFor(pixels[i]);
    return pixmapOfValues(values, width, height);
  }

  // A pixmap of the screen's depth holding these pixel values (`width` a row).
  Pixmap pixmapOfValues(const std::vector<unsigned long>& values, int width, int height) const {
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

 private:
  Display* display_;
};
