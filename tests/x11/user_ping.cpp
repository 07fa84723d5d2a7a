#include "user_ping.h"

#include <X11/Xlib.h>

#include "test_display.h"
#include "wait_until.h"

namespace {

bool isPingReply(const XEvent& event, Atom protocols, Atom ping, long token) {
  return event.type == ClientMessage && event.xclient.message_type == protocols &&
         event.xclient.format == 32 && static_cast<Atom>(event.xclient.data.l[0]) == ping &&
         event.xclient.data.l[1] == token;
}

bool pingOnce(const TestDisplay& display, Window window, std::chrono::milliseconds timeout,
              const std::function<void()>& betweenLooks) {
  static long lastToken = 0;
  Display* xlib = display.get();
  const Atom protocols = display.atom("WM_PROTOCOLS");
  const Atom ping = display.atom("_NET_WM_PING");
  const long token = ++lastToken;

  // The answer goes to the root window, to those who listen to its structure (Qt) or its
  // substructure (as the standard has it).
  XSelectInput(xlib, display.root(), StructureNotifyMask | SubstructureNotifyMask);
  XEvent message{};
  message.xclient.type = ClientMessage;
  message.xclient.window = window;
  message.xclient.message_type = protocols;
  message.xclient.format = 32;
  message.xclient.data.l[0] = static_cast<long>(ping);
  message.xclient.data.l[1] = token;
  message.xclient.data.l[2] = static_cast<long>(window);
  XSendEvent(xlib, window, False, NoEventMask, &message);
  XFlush(xlib);

  bool answered = false;
  waitUntil(
      [&] {
        while (!answered && XPending(xlib) > 0) {
          XEvent event;
          XNextEvent(xlib, &event);
          answered = isPingReply(event, protocols, ping, token);
        }
        return answered;
      },
      timeout, betweenLooks);
  XSelectInput(xlib, display.root(), NoEventMask);
  display.sync();
  return answered;
}

}  // namespace

bool waitUntilHandled(const TestDisplay& display, unsigned long window,
                      std::chrono::milliseconds timeout,
                      const std::function<void()>& betweenLooks) {
  return pingOnce(display, window, timeout, betweenLooks) &&
         pingOnce(display, window, timeout, betweenLooks);
}
