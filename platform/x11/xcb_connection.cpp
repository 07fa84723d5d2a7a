#include "platform/x11/xcb_connection.h"

#include <poll.h>

#include <cerrno>

namespace x11 {

XcbConnection::XcbConnection() : connection_(xcb_connect(nullptr, &screenNumber_)) {}

XcbConnection::~XcbConnection() { xcb_disconnect(connection_); }

xcb_window_t XcbConnection::root() const {
  xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection_));
  for (int i = 0; i < screenNumber_ && screens.rem > 1; ++i) xcb_screen_next(&screens);
  return screens.data->root;
}

XcbEvent XcbConnection::nextReceived() {
  if (!held_.empty()) {
    XcbEvent event = std::move(held_.front());
    held_.pop_front();
    return event;
  }
  return XcbEvent(xcb_poll_for_event(connection_));
}

XcbEvent XcbConnection::next(std::optional<Clock::time_point> deadline) {
  while (true) {
    if (XcbEvent event = nextReceived()) return event;
    if (broken()) return nullptr;
    xcb_flush(connection_);
    int timeout = -1;
    if (deadline) {
      const auto left = std::chrono::ceil<std::chrono::milliseconds>(*deadline - Clock::now());
      if (left.count() <= 0) return nullptr;
      timeout = static_cast<int>(left.count());
    }
    pollfd readable{fileDescriptor(), POLLIN, 0};
    const int polled = poll(&readable, 1, timeout);
    if (polled == 0) return nullptr;
    // Waiting itself failing would have us spin here: take the server for gone.
    lost_ = polled < 0 && errno != EINTR;
    if (lost_) return nullptr;
  }
}

}  // namespace x11
