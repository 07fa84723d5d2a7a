#include "xcb_client.h"

XcbClient::XcbClient() : connection_(xcb_connect(nullptr, nullptr)), window_(newWindow()) {}

XcbClient::~XcbClient() { xcb_disconnect(connection_); }

xcb_window_t XcbClient::newWindow(std::uint32_t eventMask) const {
  const xcb_window_t window = xcb_generate_id(connection_);
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
  xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 1, 1, 0,
                    XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK,
                    &eventMask);
  return window;
}

void XcbClient::sync() const {
  x11::XcbReply<xcb_get_input_focus_reply_t>(
      xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
}

x11::XcbEvent XcbClient::received(std::uint8_t type) const {
  sync();
  while (x11::XcbEvent event{xcb_poll_for_event(connection_)}) {
    if ((event->response_type & 0x7F) == type) return event;
  }
  return nullptr;
}

void XcbClient::dropEvents() const {
  sync();
  while (const x11::XcbEvent event{xcb_poll_for_event(connection_)}) {
  }
}

x11::XcbEvent XcbClient::await(const std::function<bool(const xcb_generic_event_t&)>& wanted,
                               const std::function<void()>& meanwhile,
                               std::chrono::milliseconds timeout) const {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (true) {
    sync();
    while (x11::XcbEvent event{xcb_poll_for_event(connection_)}) {
      if (wanted(*event)) return event;
    }
    if (broken() || std::chrono::steady_clock::now() >= deadline) return nullptr;
    meanwhile();
  }
}
