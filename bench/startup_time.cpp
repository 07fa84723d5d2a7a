// Start-up time of programs: from launching one to the moment its first window is mapped, RUNS
// times each, taking turns so that the load of the moment weighs on all alike; prints each
// time and each program's median, in milliseconds. A program is ended with SIGTERM after each
// run.
// Usage: bench_startup_time RUNS PROGRAM...
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

long windowPid(Display* display, Window window) {
  const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
  Atom type = 0;
  int format = 0;
  unsigned long items = 0;
  unsigned long remaining = 0;
  unsigned char* value = nullptr;
  long pid = 0;
  if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &items,
                         &remaining, &value) == Success &&
      value != nullptr && items == 1 && format == 32) {
    pid = *reinterpret_cast<long*>(value);
  }
  if (value != nullptr) XFree(value);
  return pid;
}

int ignoreErrors(Display* /*display*/, XErrorEvent* /*event*/) { return 0; }  // windows come and go

// Waits until a window of process `pid` is mapped; the time it took since `launched`.
double waitForMappedWindow(Display* display, pid_t pid, Clock::time_point launched) {
  for (;;) {
    XEvent event;
    XNextEvent(display, &event);
    if (event.type == CreateNotify) {
      // Watch each new top-level; it may have been mapped before we started watching.
      const Window window = event.xcreatewindow.window;
      XSelectInput(display, window, StructureNotifyMask);
      XWindowAttributes attributes;
      if (XGetWindowAttributes(display, window, &attributes) &&
          attributes.map_state != IsUnmapped && windowPid(display, window) == pid) {
        break;
      }
    } else if (event.type == MapNotify && windowPid(display, event.xmap.window) == pid) {
      break;
    }
  }
  return std::chrono::duration<double, std::milli>(Clock::now() - launched).count();
}

double launchOnce(Display* display, const char* program) {
  const Clock::time_point launched = Clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    // Its messages would only clutter the table.
    const int nowhere = open("/dev/null", O_WRONLY);
    dup2(nowhere, STDERR_FILENO);
    execl(program, program, static_cast<char*>(nullptr));
    _exit(127);
  }
  const double milliseconds = waitForMappedWindow(display, pid, launched);
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
  return milliseconds;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s RUNS PROGRAM...\n", argv[0]);
    return EXIT_FAILURE;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "bench_startup_time: no X display\n");
    return EXIT_FAILURE;
  }
  XSetErrorHandler(ignoreErrors);
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XSync(display, False);

  const std::vector<const char*> programs(argv + 2, argv + argc);
  std::vector<std::vector<double>> times(programs.size());
  for (int run = 0; run < std::atoi(argv[1]); ++run) {
    for (std::size_t p = 0; p < programs.size(); ++p) {
      times[p].push_back(launchOnce(display, programs[p]));
      std::printf("%s run %d: %.1f ms\n", programs[p], run + 1, times[p].back());
    }
  }
  if (times.front().empty()) return EXIT_FAILURE;
  for (std::size_t p = 0; p < programs.size(); ++p) {
    std::sort(times[p].begin(), times[p].end());
    std::printf("median %.1f %s\n", times[p][times[p].size() / 2], programs[p]);
  }
  return EXIT_SUCCESS;
}
