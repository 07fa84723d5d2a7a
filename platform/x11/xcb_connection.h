#pragma once

#include <xcb/xcb.h>

#include <chrono>
#include <deque>
#include <optional>

#include "platform/x11/xcb_calls.h"

namespace x11 {

// A connection of its own to the X server ($DISPLAY) through XCB, whose events are all its
// user's: the clipboard's.
class XcbConnection {
 public:
  using Clock = std::chrono::steady_clock;

  XcbConnection();
  ~XcbConnection();
  XcbConnection(const XcbConnection&) = delete;
  XcbConnection& operator=(const XcbConnection&) = delete;

  xcb_connection_t* get() const { return connection_; }
  // Once the server is gone, or there was none to connect to.
  bool broken() const { return lost_ || xcb_connection_has_error(connection_) != 0; }
  xcb_window_t root() const;
  // Readable when the server has sent something; an event loop watches it.
  int fileDescriptor() const { return xcb_get_file_descriptor(connection_); }

  // The next event, waiting for it until `deadline` (without one, as long as it takes); null
  // when the server is gone or the deadline passed first.
  XcbEvent next(std::optional<Clock::time_point> deadline);
  // The next event that has come in already; null when none has.
  XcbEvent nextReceived();
  // Waits for the first event that `wanted` accepts; the others stay for next() and
  // nextReceived(), in their order. Null when the server is gone.
  template <typename Wanted>
  XcbEvent await(Wanted wanted) {
    xcb_flush(connection_);
    while (XcbEvent event{xcb_wait_for_event(connection_)}) {
      if (wanted(*event)) return event;
      held_.push_back(std::move(event));
    }
    return nullptr;
  }

 private:
  int screenNumber_ = 0;
  xcb_connection_t* connection_;
  bool lost_ = false;
  std::deque<XcbEvent> held_;
};

}  // namespace x11
