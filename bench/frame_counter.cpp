// Counts the frames a program presents in WINDOW during SECONDS, at the X server, whatever way
// it draws them (an image sent from memory, a copy or a composite on the server) and from
// whichever of its connections: the damage (DAMAGE extension) that drawing does to the window
// and the windows inside it, one frame per burst. Prints the count.
// Usage: bench_frame_counter WINDOW SECONDS
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <poll.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s WINDOW SECONDS\n", argv[0]);
    return EXIT_FAILURE;
  }
  const Window window = std::strtoul(argv[1], nullptr, 0);
  const std::chrono::duration<double> duration(std::atof(argv[2]));
  Display* display = XOpenDisplay(nullptr);
  int damageEvent = 0;
  int damageError = 0;
  if (display == nullptr || !XDamageQueryExtension(display, &damageEvent, &damageError)) {
    std::fprintf(stderr, "bench_frame_counter: needs an X display with DAMAGE\n");
    return EXIT_FAILURE;
  }
  // One report each time the window goes from undamaged to damaged; taking the damage away
  // at once readies the next. The server may run our subtraction between two requests of one
  // frame (a picture, then the black beyond it): damage that follows the last report within
  // a few milliseconds is the same frame. Frames come 50 ms apart at the most 20 a second.
  const Damage damage = XDamageCreate(display, window, XDamageReportNonEmpty);
  XSync(display, False);

  long frames = 0;
  const auto end = std::chrono::steady_clock::now() + duration;
  constexpr int kPollMs = 5;
  constexpr std::chrono::milliseconds kSameFrame(10);
  auto lastReport = std::chrono::steady_clock::now() - kSameFrame;
  while (std::chrono::steady_clock::now() < end) {
    pollfd incoming{ConnectionNumber(display), POLLIN, 0};
    poll(&incoming, 1, kPollMs);
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type != damageEvent + XDamageNotify) continue;
      const auto now = std::chrono::steady_clock::now();
      if (now - lastReport >= kSameFrame) ++frames;
      lastReport = now;
      XDamageSubtract(display, damage, None, None);
    }
    XFlush(display);
  }
  XDamageDestroy(display, damage);
  XCloseDisplay(display);
  std::printf("%ld\n", frames);
  return EXIT_SUCCESS;
}
