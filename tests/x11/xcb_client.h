#pragma once

#include <xcb/xcb.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/x11/xcb_calls.h"

// A client of the display under test over XCB, as programs that own or ask for a selection
// talk to the server, with a window of its own that is never shown. The errors of its requests
// come as events, which it drops.
class XcbClient {
 public:
  XcbClient();
  ~XcbClient();
  XcbClient(const XcbClient&) = delete;
  XcbClient& operator=(const XcbClient&) = delete;

  xcb_connection_t* get() const { return connection_; }
  bool broken() const { return xcb_connection_has_error(connection_) != 0; }
  xcb_window_t window() const { return window_; }
  // Another such window, that reports the events of `eventMask`.
  xcb_window_t newWindow(std::uint32_t eventMask = 0) const;
  xcb_atom_t atom(std::string_view name) const { return x11::internAtoms(connection_, {name})[0]; }

  // Returns once the server has handled our every request so far.
  void sync() const;
  // The first event of `type` that reached us by the time the server has handled our every
  // request so far (and those of clients that synced before); null if none did.
  x11::XcbEvent received(std::uint8_t type) const;
  // Drops every event that reached us by the time the server has handled our requests so far.
  void dropEvents() const;
  // The first event that `wanted` accepts, dropping the others; between two looks, `meanwhile`
  // runs (an owner in this process serving, a pause). Null if none came within `timeout`.
  x11::XcbEvent await(const std::function<bool(const xcb_generic_event_t&)>& wanted,
                      const std::function<void()>& meanwhile,
                      std::chrono::milliseconds timeout) const;

  // A property of `window` (ours unless named): its type and its values of `Value` each,
  // deleted after reading if `remove`.
  template <typename Value>
  std::pair<xcb_atom_t, std::vector<Value>> property(xcb_atom_t name, xcb_window_t window = 0,
                                                     bool remove = false) const {
    const x11::XcbReply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection_,
        xcb_get_property(connection_, remove ? 1 : 0, window != 0 ? window : window_, name,
                         XCB_GET_PROPERTY_TYPE_ANY, 0, 1U << 24),
        nullptr));
    if (!reply) return {XCB_NONE, {}};
    const auto* values = static_cast<const Value*>(xcb_get_property_value(reply.get()));
    const auto count = xcb_get_property_value_length(reply.get()) / sizeof(Value);
    return {reply->type, std::vector<Value>(values, values + count)};
  }

 private:
  xcb_connection_t* connection_;
  xcb_window_t window_;
};
