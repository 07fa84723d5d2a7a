#include "user_ping.h"

#include <X11/Xlib.h>

#include "user_connection.h"
#include "user_wait.h"

namespace {

bool isPingReply(const XEvent& event, Atom protocols, Atom ping, long token) {
  return event.type == ClientMessage && event.xclient.message_type == protocols &&
         event.xclient.format == 32 && static_cast<Atom>(event.xclient.data.l[0]) == ping &&
         event.xclient.data.l[1] == token;
}

bool pingOnce(const UserConnection& connection, Window window, std::chrono::milliseconds timeout) {
  static long lastToken = 0;
  Display* display = connection.display();
  const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
  const Atom ping = XInternAtom(display, "_NET_WM_PING", False);
  const long token = ++lastToken;

  // The answer goes to the root window, to those who listen to its structure (Qt) or its
  // substructure (as the standard has it).
  XSelectInput(display, connection.root(), StructureNotifyMask | SubstructureNotifyMask);
  XEvent message{};
  message.xclient.type = ClientMessage;
  message.xclient.window = window;
  message.xclient.message_type = protocols;
  message.xclient.format = 32;
  message.xclient.data.l[0] = static_cast<long>(ping);
  message.xclient.data.l[1] = token;
  message.xclient.data.l[2] = static_cast<long>(window);
  XSendEvent(display, window, False, NoEventMask, &message);
  XFlush(display);

  bool answered = false;
  waitUntil(
      [&] {
        while (!answered && XPending(display) > 0) {
          XEvent event;
          XNextEvent(display, &event);
          answered = isPingReply(event, protocols, ping, token);
        }
        return answered;
      },
      timeout);
  XSelectInput(display, connection.root(), NoEventMask);
  connection.sync();
  return answered;
}

}  // namespace

bool waitUntilHandled(const UserConnection& connection, unsigned long window,
                      std::chrono::milliseconds timeout) {
  return pingOnce(connection, window, timeout) && pingOnce(connection, window, timeout);
}
