#include "bench/screen_grabber.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace bench {
namespace {

constexpr int kBytesPerPixel = 4;

[[noreturn]] void fail(const char* why) {
  std::fprintf(stderr, "bench_read_and_present: %s\n", why);
  std::exit(EXIT_FAILURE);
}

}  // namespace

struct ScreenGrabber::Connection {
  Display* display = nullptr;
  XShmSegmentInfo segment{};
  XImage* image = nullptr;
  int screenWidth = 0;
  int screenHeight = 0;
};

ScreenGrabber::ScreenGrabber() : connection_(std::make_unique<Connection>()) {
  Connection& c = *connection_;
  c.display = XOpenDisplay(nullptr);
  if (c.display == nullptr || !XShmQueryExtension(c.display)) fail("no X display with MIT-SHM");
  const int screen = DefaultScreen(c.display);
  c.screenWidth = DisplayWidth(c.display, screen);
  c.screenHeight = DisplayHeight(c.display, screen);
  c.image = XShmCreateImage(c.display, DefaultVisual(c.display, screen),
                            static_cast<unsigned>(DefaultDepth(c.display, screen)), ZPixmap,
                            nullptr, &c.segment, static_cast<unsigned>(c.screenWidth),
                            static_cast<unsigned>(c.screenHeight));
  if (c.image == nullptr || c.image->bits_per_pixel != kBytesPerPixel * 8) {
    fail("the screen has no 32-bit pixels");
  }
  const auto bytes =
      static_cast<std::size_t>(c.image->bytes_per_line) * static_cast<std::size_t>(c.screenHeight);
  c.segment.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
  c.segment.shmaddr = c.image->data = static_cast<char*>(shmat(c.segment.shmid, nullptr, 0));
  c.segment.readOnly = False;
  if (!XShmAttach(c.display, &c.segment)) fail("cannot attach the shared memory");
  XSync(c.display, False);
  shmctl(c.segment.shmid, IPC_RMID, nullptr);  // freed once both sides let go
}

ScreenGrabber::~ScreenGrabber() {
  Connection& c = *connection_;
  XShmDetach(c.display, &c.segment);
  XSync(c.display, False);
  shmdt(c.segment.shmaddr);
  c.image->data = nullptr;
  XDestroyImage(c.image);
  XCloseDisplay(c.display);
}

Grab ScreenGrabber::grabAtPointer(int width, int height) {
  Connection& c = *connection_;
  Window root = 0;
  Window child = 0;
  int x = 0;
  int y = 0;
  int windowX = 0;
  int windowY = 0;
  unsigned buttons = 0;
  XQueryPointer(c.display, DefaultRootWindow(c.display), &root, &child, &x, &y, &windowX, &windowY,
                &buttons);
  // Reading past the screen's edge fails: read only what is on it.
  c.image->width = std::min(width, c.screenWidth - x);
  c.image->height = std::min(height, c.screenHeight - y);
  c.image->bytes_per_line = c.image->width * kBytesPerPixel;
  if (c.image->width <= 0 || c.image->height <= 0) return {};
  XShmGetImage(c.display, DefaultRootWindow(c.display), c.image, x, y, AllPlanes);
  return {reinterpret_cast<const unsigned char*>(c.image->data), c.image->width, c.image->height,
          c.image->bytes_per_line};
}

}  // namespace bench
