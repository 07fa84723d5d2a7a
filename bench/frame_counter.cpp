// Counts the frames a program puts on the screen: the image requests (shared-memory or plain)
// that the client owning WINDOW sends to the X server during SECONDS, recorded through the
// RECORD extension without touching the program. Prints the count.
// Usage: bench_frame_counter WINDOW SECONDS
#include <X11/Xlib.h>
#include <X11/Xproto.h>
#include <X11/extensions/record.h>
#include <X11/extensions/shmproto.h>
#include <poll.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

void countRequest(XPointer closure, XRecordInterceptData* data) {
  if (data->category == XRecordFromClient) ++*reinterpret_cast<long*>(closure);
  XRecordFreeData(data);
}

XRecordRange* requestRange(unsigned char major, unsigned short minor) {
  XRecordRange* range = XRecordAllocRange();
  if (major < 128) {
    range->core_requests = {major, major};
  } else {
    range->ext_requests.ext_major = {major, major};
    range->ext_requests.ext_minor = {minor, minor};
  }
  return range;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s WINDOW SECONDS\n", argv[0]);
    return EXIT_FAILURE;
  }
  const auto window = static_cast<XRecordClientSpec>(std::strtoul(argv[1], nullptr, 0));
  const std::chrono::duration<double> duration(std::atof(argv[2]));
  // RECORD wants one connection to set up and another that only carries the recorded data.
  Display* control = XOpenDisplay(nullptr);
  Display* data = XOpenDisplay(nullptr);
  int shmOpcode = 0;
  int firstEvent = 0;
  int firstError = 0;
  int recordMajor = 0;
  int recordMinor = 0;
  if (control == nullptr || data == nullptr ||
      !XRecordQueryVersion(control, &recordMajor, &recordMinor) ||
      !XQueryExtension(control, "MIT-SHM", &shmOpcode, &firstEvent, &firstError)) {
    std::fprintf(stderr, "bench_frame_counter: needs an X display with RECORD and MIT-SHM\n");
    return EXIT_FAILURE;
  }

  XRecordRange* ranges[] = {requestRange(X_PutImage, 0),
                            requestRange(static_cast<unsigned char>(shmOpcode), X_ShmPutImage)};
  XRecordClientSpec client = window;  // a resource names the client that made it
  const XRecordContext context = XRecordCreateContext(control, 0, &client, 1, ranges, 2);
  XSync(control, False);
  long frames = 0;
  if (context == 0 || !XRecordEnableContextAsync(data, context, countRequest,
                                                 reinterpret_cast<XPointer>(&frames))) {
    std::fprintf(stderr, "bench_frame_counter: cannot record window %s\n", argv[1]);
    return EXIT_FAILURE;
  }

  const auto end = std::chrono::steady_clock::now() + duration;
  constexpr int kPollMs = 10;
  while (std::chrono::steady_clock::now() < end) {
    pollfd incoming{ConnectionNumber(data), POLLIN, 0};
    poll(&incoming, 1, kPollMs);
    XRecordProcessReplies(data);
  }
  XRecordDisableContext(control, context);
  XRecordFreeContext(control, context);
  XSync(control, False);
  for (XRecordRange* range : ranges) XFree(range);
  std::printf("%ld\n", frames);
  return EXIT_SUCCESS;
}
